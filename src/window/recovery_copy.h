// What the window keeps in the home folder so that typed text outlives the
// program: a copy of unsaved text, written every few seconds, that a crash,
// a kill or a power cut leaves behind; and a note of the text the system's
// end request put into a file of its own. The next start offers the copy
// and explains the note.
//
// Every window has a copy of its own (two windows may share a home folder
// on two displays): "Orbelin-unsaved-TAG.inp" holds the text,
// "Orbelin-unsaved-TAG.txt" the note of what it is, and the window holds a
// lock on "Orbelin-unsaved-TAG.lock" for as long as it lives. A copy whose
// lock nobody holds is an orphan, left by a window that is gone: the next
// start finds every one of them (and the untagged copy of older versions),
// and never one of a window still open.
#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace orbelin {

inline constexpr const char* kRecoveryStem = "Orbelin-unsaved";

struct RecoveryNote {
  enum Kind { kCopy, kEnded } kind = kCopy;
  // kCopy: the script file the text was typed for ("" for none).
  // kEnded: what happened to the text, said to the user.
  std::string line;
  // kEnded: the file the text went to ("" when the note does not say).
  std::string file;
};

class RecoveryCopy {
 public:
  RecoveryCopy() = default;
  RecoveryCopy(RecoveryCopy&& other) noexcept;
  RecoveryCopy& operator=(RecoveryCopy&& other) noexcept;
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;
  // Lets go of the lock. The lock file goes too unless a note is left,
  // which the next start then finds.
  ~RecoveryCopy();

  // A copy of this window's own in `folder` (which ends with '/'): a tag
  // that no other copy there has, locked while this object lives.
  static RecoveryCopy Claim(const std::string& folder);
  // The copies whose windows are gone, oldest note first; each is locked
  // while its object lives, so that no other start offers it as well.
  static std::vector<RecoveryCopy> FindOrphans(const std::string& folder);

  // Writes the box's text (in UTF-8 where Windows-1252 lacks a character)
  // and its note.
  std::error_code Write(const std::string& box_text, const std::string& script);
  // The end request's note: `message` is shown at the next start; `file`
  // is where the text went.
  std::error_code WriteEndedNote(const std::string& message, const std::string& file);

  std::optional<RecoveryNote> ReadNote() const;
  // The copy's text as the box shows it, nothing when there is none.
  std::optional<std::string> ReadText() const;
  // The copy and its note.
  void Remove();

  bool claimed() const { return !stem_.empty(); }
  bool locked() const { return lock_fd_ >= 0; }
  // Where the copy's text is.
  std::string text_path() const { return stem_ + ".inp"; }

 private:
  std::string note_path() const { return stem_ + ".txt"; }
  std::string lock_path() const { return stem_ + ".lock"; }
  void Release();

  std::string stem_;  // the folder and "Orbelin-unsaved-TAG"
  int lock_fd_ = -1;
};

}  // namespace orbelin
