#include "examples.h"

namespace handbook {
namespace {

constexpr std::string_view kExample = "example";
constexpr std::string_view kFile = "example-file:";

std::string Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

}  // namespace

bool IsExampleMarker(std::string_view comment) {
  return comment == kExample || comment.starts_with("example:") || comment.starts_with(kFile);
}

bool FindExamples(const std::vector<Block>& blocks, std::vector<Example>* examples,
                  std::string* error) {
  for (size_t i = 0; i < blocks.size(); ++i) {
    const Block& marker = blocks[i];
    if (marker.kind != BlockKind::kComment || !IsExampleMarker(marker.text)) continue;
    Example ex;
    ex.marker_line = marker.line;
    auto fail = [&](const std::string& what) {
      *error = "line " + std::to_string(marker.line) + ": " + what;
      return false;
    };
    auto code_at = [&](size_t k, const char* info) {
      return k < blocks.size() && blocks[k].kind == BlockKind::kCode && blocks[k].info == info;
    };
    std::string_view m = marker.text;
    size_t next = i + 1;
    if (m.starts_with(kFile)) {
      ex.script_path = Trimmed(m.substr(kFile.size()));
      if (ex.script_path.empty()) return fail("example-file names no script");
    } else {
      if (m != kExample) {
        std::string option = Trimmed(m.substr(kExample.size() + 1));
        if (option == "continues") {
          ex.continues = true;
        } else if (option.starts_with("not checked")) {
          ex.checked = false;
        } else {
          return fail("unknown example marker '" + std::string(m) + "'");
        }
      }
      if (!code_at(next, "orbelin")) return fail("marker not followed by an ```orbelin block");
      ex.script = blocks[next].text;
      ++next;
    }
    if (!code_at(next, "text")) return fail("example not followed by a ```text output block");
    ex.output = blocks[next].text;
    ex.output_line = blocks[next].line;
    examples->push_back(std::move(ex));
    i = next;
  }
  return true;
}

}  // namespace handbook
