#include "search_index.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "help/search_words.h"
#include "render.h"

namespace handbook {
namespace {

// A width no paragraph reaches: one line per paragraph.
constexpr size_t kUnwrapped = 1 << 20;

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : separator) + p;
  return out;
}

std::string Folded(const std::string& text) {
  return Join(orbelin::help_search::Words(text), " ");
}

std::string Trim(std::string s) {
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

bool ReadSearchWords(const std::string& text, SearchWordList* words, std::string* error) {
  std::istringstream in(text);
  int n = 0;
  for (std::string line; std::getline(in, line);) {
    ++n;
    if (line.empty() || line[0] == '#') continue;
    const size_t colon = line.find(": ");
    const size_t equals = line.find(" = ");
    if (colon != std::string::npos && equals == std::string::npos) {
      const std::string what = line.substr(0, colon);
      std::vector<std::string>* list = what == "stop"            ? &words->stop
                                       : what == "question"      ? &words->question
                                       : what == "question-verb" ? &words->question_verbs
                                                                 : nullptr;
      if (list) {
        for (const std::string& w : orbelin::help_search::Words(line.substr(colon + 2))) {
          list->push_back(w);
        }
        continue;
      }
    }
    if (equals != std::string::npos) {
      SearchWordList::Synonym s{Folded(line.substr(0, equals)), {}};
      std::string meant = line.substr(equals + 3);
      size_t start = 0;
      while (start <= meant.size()) {
        size_t bar = meant.find('|', start);
        if (bar == std::string::npos) bar = meant.size();
        const std::string one = Folded(Trim(meant.substr(start, bar - start)));
        if (!one.empty()) s.meant.push_back(one);
        start = bar + 1;
      }
      if (!s.typed.empty() && !s.meant.empty()) {
        words->synonyms.push_back(std::move(s));
        continue;
      }
    }
    *error = "search_words.txt:" + std::to_string(n) +
             ": neither \"stop:\", \"question:\", \"question-verb:\" nor \"TYPED = MEANT\"";
    return false;
  }
  return true;
}

std::vector<SearchDoc> ChapterDocs(const std::vector<HandbookFile>& topics, size_t width) {
  std::vector<SearchDoc> docs;
  for (const HandbookFile& t : topics) {
    if (t.name == "reference" || t.name == "messages") continue;
    std::string chapter = t.name;
    SearchDoc* open = nullptr;
    std::vector<Block> blocks;
    auto close = [&] {
      if (open) {
        open->text = RenderText(blocks, kUnwrapped);
        if (open->kind == DocKind::kSection) {
          open->shown =
              Wrap(open->keys + ": " + open->title, width) + "\n" + RenderText(blocks, width);
        }
      }
      blocks.clear();
    };
    for (const Block& b : t.blocks) {
      if (b.kind == BlockKind::kHeading && b.level <= 3) {
        close();
        SearchDoc d;
        d.kind = b.level == 1 ? DocKind::kTopic : DocKind::kSection;
        d.keys = t.name;
        if (b.level == 1) chapter = b.text;
        d.title = b.text;
        d.group = chapter;
        docs.push_back(std::move(d));
        open = &docs.back();
        continue;
      }
      blocks.push_back(b);
    }
    close();
  }
  return docs;
}

SearchDoc EntryDoc(const Entry& e) {
  SearchDoc d;
  d.kind = e.kind == EntryKind::kMessage ? DocKind::kMessage : DocKind::kKeyword;
  d.keys = Join(e.keys, ", ");
  d.title = e.title;
  d.group = e.group;
  d.text = RenderText(e.blocks, kUnwrapped);
  return d;
}

std::vector<std::vector<std::string>> Phrases(const SearchWordList& list) {
  std::vector<std::vector<std::string>> phrases;
  auto add = [&](const std::string& words) {
    std::vector<std::string> phrase = orbelin::help_search::Words(words);
    if (phrase.size() > 1 && std::find(phrases.begin(), phrases.end(), phrase) == phrases.end()) {
      phrases.push_back(std::move(phrase));
    }
  };
  for (const SearchWordList::Synonym& s : list.synonyms) {
    add(s.typed);
    for (const std::string& m : s.meant) add(m);
  }
  return phrases;
}

DocWords WordsOf(const SearchDoc& doc, const SearchWordList& list) {
  DocWords w;
  w.keys = Folded(doc.keys);
  w.title = Folded(doc.title);
  w.group = Folded(doc.group);
  std::vector<std::string> once;
  std::map<std::string, int> count;
  for (const std::string& word : orbelin::help_search::Words(doc.text)) {
    if (count[word]++ == 0) once.push_back(word);
  }
  std::vector<std::string> frequent;
  for (const std::string& word : once) {
    if (count[word] >= 3) frequent.push_back(word + ":" + std::to_string(count[word]));
  }
  w.text = Join(once, " ");
  w.frequent = Join(frequent, " ");
  // Where the words of a phrase stand together, each answering its word.
  const std::vector<std::string> all = orbelin::help_search::Words(doc.text);
  std::vector<std::string> held;
  for (const std::vector<std::string>& phrase : Phrases(list)) {
    int n = 0;
    for (size_t i = 0; i + phrase.size() <= all.size(); ++i) {
      bool together = true;
      for (size_t k = 0; k < phrase.size() && together; ++k) {
        together = orbelin::help_search::Answers(all[i + k], phrase[k]);
      }
      n += together;
    }
    if (n > 0) held.push_back(Join(phrase, "+") + ":" + std::to_string(n));
  }
  w.phrases = Join(held, " ");
  return w;
}

}  // namespace handbook
