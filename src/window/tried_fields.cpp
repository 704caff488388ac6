#include "window/tried_fields.h"

#include <algorithm>
#include <optional>

#include "frontend/file_io.h"

namespace orbelin {

namespace {

// The fields' kinds as the file names them; "set" is a variable's values.
constexpr const char* kSet = "set";
constexpr const char* kWhere = "where";
constexpr const char* kNear = "near";
constexpr const char* kWithin = "within";
constexpr const char* kShow = "show";
constexpr const char* kFinal = "final";
constexpr const char* kDigitSum = "sum";

std::string* FieldOf(VaryForm& form, std::string_view kind) {
  if (kind == kWhere) return &form.where;
  if (kind == kNear) return &form.near;
  if (kind == kWithin) return &form.within;
  if (kind == kShow) return &form.show;
  if (kind == kFinal) return &form.final_pattern;
  if (kind == kDigitSum) return &form.digit_sum;
  return nullptr;
}

// A field is one line of the file: a line break or tab pasted into it
// becomes a blank.
std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
  return text;
}

}  // namespace

bool AnyFieldFilled(const VaryForm& fields) {
  for (const auto& [name, values] : fields.values) {
    if (!values.empty()) return true;
  }
  return !fields.where.empty() || !fields.near.empty() || !fields.within.empty() ||
         !fields.show.empty() || !fields.final_pattern.empty() || !fields.digit_sum.empty();
}

VaryForm TriedFields::Find(const std::string& key) const {
  for (const Entry& e : entries_) {
    if (e.key == key) return e.fields;
  }
  return {};
}

void TriedFields::Keep(const std::string& key, const VaryForm& fields) {
  std::erase_if(entries_, [&](const Entry& e) { return e.key == key; });
  if (!AnyFieldFilled(fields)) return;
  Entry entry{key, fields};
  entry.fields.source.clear();
  std::erase_if(entry.fields.values, [](const auto& v) { return v.second.empty(); });
  entries_.insert(entries_.begin(), std::move(entry));
  if (entries_.size() > kMaxTriedScripts) entries_.resize(kMaxTriedScripts);
}

bool TriedFields::Copy(const std::string& from, const std::string& to) {
  const VaryForm fields = Find(from);
  if (from == to || !AnyFieldFilled(fields)) return false;
  Keep(to, fields);
  return true;
}

void TriedFields::Read(const std::string& program_folder) {
  entries_.clear();
  const std::optional<std::string> bytes = ReadWholeFile(program_folder + kTriedFieldsFileName);
  if (!bytes) return;
  size_t start = 0;
  while (start < bytes->size()) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    const std::string_view line = std::string_view(*bytes).substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line[0] == '/') {
      if (entries_.size() == kMaxTriedScripts) break;
      entries_.push_back({std::string(line), {}});
      continue;
    }
    // A field of the script above; anything else is no line of ours.
    if (entries_.empty() || line.size() < 2 || line[0] != '\t') continue;
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) continue;
    const std::string_view kind = line.substr(1, blank - 1);
    const std::string_view text = line.substr(blank + 1);
    VaryForm& form = entries_.back().fields;
    if (kind == kSet) {
      const size_t equals = text.find('=');
      if (equals == 0 || equals == std::string_view::npos) continue;
      form.values.emplace_back(std::string(text.substr(0, equals)),
                               std::string(text.substr(equals + 1)));
    } else if (std::string* field = FieldOf(form, kind)) {
      *field = std::string(text);
    }
  }
}

void TriedFields::Write(const std::string& program_folder) const {
  std::string bytes;
  for (const Entry& e : entries_) {
    // Unsaved texts have no path; a path with a line break would not read
    // back as one line.
    if (e.key.empty() || e.key[0] != '/' || e.key.find('\n') != std::string::npos) continue;
    bytes += e.key + '\n';
    for (const auto& [name, values] : e.fields.values) {
      bytes += std::string("\t") + kSet + ' ' + OneLine(name) + '=' + OneLine(values) + '\n';
    }
    const std::pair<const char*, const std::string*> fields[] = {
        {kWhere, &e.fields.where},         {kNear, &e.fields.near},
        {kWithin, &e.fields.within},       {kShow, &e.fields.show},
        {kFinal, &e.fields.final_pattern}, {kDigitSum, &e.fields.digit_sum},
    };
    for (const auto& [kind, text] : fields) {
      if (!text->empty()) bytes += std::string("\t") + kind + ' ' + OneLine(*text) + '\n';
    }
  }
  // Fields that cannot be kept cost nothing typed.
  (void)ReplaceFile(program_folder + kTriedFieldsFileName, bytes, {.sync = false});
}

}  // namespace orbelin
