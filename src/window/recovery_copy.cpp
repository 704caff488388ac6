#include "window/recovery_copy.h"

#include <unistd.h>

#include "frontend/file_io.h"
#include "frontend/lost_characters.h"
#include "frontend/script_bytes.h"

namespace orbelin {

namespace {

constexpr const char* kCopyTag = "copy";
constexpr const char* kEndedTag = "ended";

std::error_code WriteNote(const std::string& folder, const char* tag, const std::string& line) {
  return ReplaceFile(folder + kRecoveryNoteName, std::string(tag) + "\n" + line + "\n");
}

}  // namespace

std::error_code WriteRecoveryCopy(const std::string& folder, const std::string& box_text,
                                  const std::string& script) {
  // The note first: a copy without its note would never be offered.
  if (std::error_code error = WriteNote(folder, kCopyTag, script)) return error;
  const std::string bytes = CharactersLostOnSave(box_text).empty()
                                ? ScriptFileFromBoxText(box_text)
                                : Utf8ScriptFileFromBoxText(box_text);
  // A copy is made again a few seconds later: it need not wait for the disk.
  return ReplaceFile(folder + kRecoveryTextName, bytes, {.sync = false});
}

std::error_code WriteEndedNote(const std::string& folder, const std::string& message) {
  unlink((folder + kRecoveryTextName).c_str());
  return WriteNote(folder, kEndedTag, message);
}

std::optional<RecoveryNote> ReadRecoveryNote(const std::string& folder) {
  const std::optional<std::string> bytes = ReadWholeFile(folder + kRecoveryNoteName);
  if (!bytes) return std::nullopt;
  const size_t tag_end = bytes->find('\n');
  if (tag_end == std::string::npos) return std::nullopt;
  const std::string tag = bytes->substr(0, tag_end);
  std::string line = bytes->substr(tag_end + 1);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (tag == kCopyTag) return RecoveryNote{RecoveryNote::kCopy, line};
  if (tag == kEndedTag) return RecoveryNote{RecoveryNote::kEnded, line};
  return std::nullopt;
}

std::optional<std::string> ReadRecoveryText(const std::string& folder) {
  const std::optional<std::string> bytes = ReadWholeFile(folder + kRecoveryTextName);
  if (!bytes) return std::nullopt;
  return BoxTextFromScriptFile(*bytes);
}

void RemoveRecoveryCopy(const std::string& folder) {
  unlink((folder + kRecoveryTextName).c_str());
  unlink((folder + kRecoveryNoteName).c_str());
}

}  // namespace orbelin
