#include "markdown.h"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>

#include <cstring>
#include <memory>

namespace handbook {
namespace {

struct NodeFree {
  void operator()(cmark_node* n) const { cmark_node_free(n); }
};
struct ParserFree {
  void operator()(cmark_parser* p) const { cmark_parser_free(p); }
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\n')) {
    s.remove_prefix(1);
  }
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::string Literal(cmark_node* n) {
  const char* s = cmark_node_get_literal(n);
  return s ? s : "";
}

bool IsType(cmark_node* n, const char* name) {
  return std::strcmp(cmark_node_get_type_string(n), name) == 0;
}

void Append(Inlines* out, std::string text, const Span& style) {
  if (text.empty()) return;
  if (!out->empty()) {
    Span& last = out->back();
    if (last.code == style.code && last.strong == style.strong && last.emph == style.emph) {
      last.text += text;
      return;
    }
  }
  Span s = style;
  s.text = std::move(text);
  out->push_back(std::move(s));
}

void CollectInlines(cmark_node* parent, Span style, Inlines* out) {
  for (cmark_node* n = cmark_node_first_child(parent); n; n = cmark_node_next(n)) {
    switch (cmark_node_get_type(n)) {
      case CMARK_NODE_TEXT:
        Append(out, Literal(n), style);
        break;
      case CMARK_NODE_CODE: {
        Span code = style;
        code.code = true;
        Append(out, Literal(n), code);
        break;
      }
      case CMARK_NODE_SOFTBREAK:
      case CMARK_NODE_LINEBREAK:
        Append(out, " ", style);
        break;
      case CMARK_NODE_HTML_INLINE: {
        std::string html = Literal(n);
        if (!html.starts_with("<!--")) Append(out, html, style);
        break;
      }
      case CMARK_NODE_EMPH: {
        Span emph = style;
        emph.emph = true;
        CollectInlines(n, emph, out);
        break;
      }
      case CMARK_NODE_STRONG: {
        Span strong = style;
        strong.strong = true;
        CollectInlines(n, strong, out);
        break;
      }
      default:  // links, images: their text
        CollectInlines(n, style, out);
        break;
    }
  }
}

Inlines InlinesOf(cmark_node* n) {
  Inlines out;
  CollectInlines(n, Span{}, &out);
  return out;
}

Block NewBlock(BlockKind kind, cmark_node* n) {
  Block b;
  b.kind = kind;
  b.line = cmark_node_get_start_line(n);
  return b;
}

class Cutter {
 public:
  Cutter(std::string_view source, std::vector<Block>* blocks) : source_(source), blocks_(blocks) {}

  bool Walk(cmark_node* parent, std::string* error) {
    for (cmark_node* n = cmark_node_first_child(parent); n; n = cmark_node_next(n)) {
      if (!Add(n, error)) return false;
    }
    return true;
  }

 private:
  bool Add(cmark_node* n, std::string* error) {
    switch (cmark_node_get_type(n)) {
      case CMARK_NODE_HEADING: {
        Block b = NewBlock(BlockKind::kHeading, n);
        b.level = cmark_node_get_heading_level(n);
        b.spans = InlinesOf(n);
        b.text = PlainText(b.spans);
        blocks_->push_back(std::move(b));
        return true;
      }
      case CMARK_NODE_PARAGRAPH: {
        Block b = NewBlock(BlockKind::kParagraph, n);
        b.spans = InlinesOf(n);
        b.quoted = cmark_node_get_type(cmark_node_parent(n)) == CMARK_NODE_BLOCK_QUOTE;
        blocks_->push_back(std::move(b));
        return true;
      }
      case CMARK_NODE_LIST:
        return AddList(n, error);
      case CMARK_NODE_CODE_BLOCK: {
        Block b = NewBlock(BlockKind::kCode, n);
        const char* info = cmark_node_get_fence_info(n);
        b.info = std::string(Trim(info ? info : ""));
        b.text = Literal(n);
        if (!b.text.empty() && b.text.back() != '\n') b.text += '\n';
        if (!Closed(n)) {
          *error = "line " + std::to_string(b.line) + ": code fence not closed";
          return false;
        }
        blocks_->push_back(std::move(b));
        return true;
      }
      case CMARK_NODE_HTML_BLOCK: {
        std::string html = Literal(n);
        std::string_view t = Trim(html);
        Block b = NewBlock(BlockKind::kComment, n);
        if (t.starts_with("<!--") && t.ends_with("-->")) {
          b.text = std::string(Trim(t.substr(4, t.size() - 7)));
        } else {  // other HTML is shown as it is written
          b.kind = BlockKind::kParagraph;
          b.spans.push_back(Span{std::string(t)});
        }
        blocks_->push_back(std::move(b));
        return true;
      }
      case CMARK_NODE_BLOCK_QUOTE:
        return Walk(n, error);
      default:
        if (IsType(n, "table")) {
          AddTable(n);
          return true;
        }
        return true;  // thematic breaks and the like carry no text
    }
  }

  bool AddList(cmark_node* list, std::string* error) {
    bool ordered = cmark_node_get_list_type(list) == CMARK_ORDERED_LIST;
    int number = cmark_node_get_list_start(list);
    for (cmark_node* item = cmark_node_first_child(list); item; item = cmark_node_next(item)) {
      std::string marker = ordered ? std::to_string(number++) : "-";
      bool first = true;
      for (cmark_node* c = cmark_node_first_child(item); c; c = cmark_node_next(c)) {
        if (cmark_node_get_type(c) == CMARK_NODE_PARAGRAPH) {
          Block b = NewBlock(BlockKind::kListItem, c);
          b.info = first ? marker : "";
          b.tight =
              first && item != cmark_node_first_child(list) && cmark_node_get_list_tight(list);
          b.spans = InlinesOf(c);
          blocks_->push_back(std::move(b));
        } else if (!Add(c, error)) {
          return false;
        }
        first = false;
      }
    }
    return true;
  }

  void AddTable(cmark_node* table) {
    Block b = NewBlock(BlockKind::kTable, table);
    for (cmark_node* row = cmark_node_first_child(table); row; row = cmark_node_next(row)) {
      std::vector<Inlines> cells;
      for (cmark_node* cell = cmark_node_first_child(row); cell; cell = cmark_node_next(cell)) {
        cells.push_back(InlinesOf(cell));
      }
      b.rows.push_back(std::move(cells));
    }
    blocks_->push_back(std::move(b));
  }

  // A fenced block is closed when its last line is a fence of the same kind;
  // cmark runs an open one to the end of the file.
  bool Closed(cmark_node* n) const {
    int length = 0, offset = 0;
    char fence = 0;
    if (!cmark_node_get_fenced(n, &length, &offset, &fence)) return true;
    std::string_view last = Line(cmark_node_get_end_line(n));
    if (cmark_node_get_end_line(n) == cmark_node_get_start_line(n)) return false;
    last = Trim(last);
    size_t run = 0;
    while (run < last.size() && last[run] == fence) ++run;
    return run >= static_cast<size_t>(length) && run == last.size();
  }

  std::string_view Line(int number) const {
    std::string_view rest = source_;
    for (int i = 1; i < number; ++i) {
      size_t end = rest.find('\n');
      if (end == std::string_view::npos) return {};
      rest.remove_prefix(end + 1);
    }
    return rest.substr(0, rest.find('\n'));
  }

  std::string_view source_;
  std::vector<Block>* blocks_;
};

}  // namespace

std::string PlainText(const Inlines& spans) {
  std::string out;
  for (const Span& s : spans) out += s.text;
  return out;
}

bool ParseBlocks(std::string_view markdown, std::vector<Block>* blocks, std::string* error) {
  cmark_gfm_core_extensions_ensure_registered();
  std::unique_ptr<cmark_parser, ParserFree> parser(cmark_parser_new(CMARK_OPT_DEFAULT));
  if (cmark_syntax_extension* table = cmark_find_syntax_extension("table")) {
    cmark_parser_attach_syntax_extension(parser.get(), table);
  }
  cmark_parser_feed(parser.get(), markdown.data(), markdown.size());
  std::unique_ptr<cmark_node, NodeFree> document(cmark_parser_finish(parser.get()));
  if (!document) {
    *error = "the Markdown could not be parsed";
    return false;
  }
  return Cutter(markdown, blocks).Walk(document.get(), error);
}

std::vector<Section> SectionsAt(const std::vector<Block>& blocks, int level) {
  std::vector<Section> sections;
  Section* open = nullptr;
  for (const Block& b : blocks) {
    if (b.kind == BlockKind::kHeading && b.level <= level) {
      if (b.level == level) {
        sections.push_back(Section{b.level, b.line, b.text, {}});
        open = &sections.back();
      } else {
        open = nullptr;
      }
      continue;
    }
    if (open) open->blocks.push_back(b);
  }
  return sections;
}

size_t DisplayWidth(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace handbook
