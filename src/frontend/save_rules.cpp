#include "frontend/save_rules.h"

#include <algorithm>

#include "frontend/lost_characters.h"
#include "frontend/script_bytes.h"

namespace orbelin {

namespace {

std::string ItOrThey(size_t count) {
  return count == 1 ? "it becomes" : "they become";
}

}  // namespace

bool FileHoldsBoxText(std::string_view file_bytes, std::string_view box_text) {
  return BoxTextFromScriptFile(file_bytes) == box_text;
}

NulTail FindNulTail(std::string_view file) {
  const size_t nul = file.find('\0');
  if (nul == std::string_view::npos) return {};
  const std::string_view rest = file.substr(nul + 1);
  if (rest.find_first_not_of(std::string_view(" \t\r\n\0", 5)) == std::string_view::npos) return {};
  const std::string before = BoxTextFromScriptFile(file.substr(0, nul));
  return {rest.size(), 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'))};
}

std::string NulTailWarning(const std::string& name, const NulTail& tail) {
  return name + " has a NUL byte in line " + std::to_string(tail.line) +
         ": the box shows only the text before it, and only that runs. Saving the box into this "
         "file would delete the " +
         std::to_string(tail.bytes) + " bytes after the NUL.";
}

Question NulTailQuestion(const std::string& name, const NulTail& tail) {
  return {name + " has " + std::to_string(tail.bytes) + " bytes after a NUL byte in line " +
              std::to_string(tail.line) + ", which the box does not show. Saving deletes them.",
          "Save Anyway", "", true};
}

Question ReplaceQuestion(const std::string& name) {
  return {name + " already exists. Replace it?", "Replace", "", true};
}

std::string LostCharactersNote(std::u32string_view fresh) {
  return ListCharacters(fresh) +
         " cannot be saved in a script file (Windows-1252): " + ItOrThey(fresh.size()) + " '?'.";
}

Question LostCharactersQuestion(std::u32string_view lost) {
  return {"Windows-1252, the code of script files, has no " + ListCharacters(lost, "or") +
              ": saved, " + ItOrThey(lost.size()) + " '?'.",
          "Save Anyway", "", true};
}

Question ChangedOnDiskQuestion(const std::string& name) {
  return {name +
              " was changed by another program since it was opened here. Keep the text in "
              "the box and overwrite the file, or load the file's new text?",
          "Overwrite", "Load File", true};
}

}  // namespace orbelin
