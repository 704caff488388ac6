// What the Try values dialog's fields held, per script: the values typed for
// each variable, Keep only, Near, Within, Show, the final as written and its
// digit sum. A
// script with a file keeps them from one start to the next, in the home
// folder beside the recent scripts; an unsaved text keeps them while the
// window lives.
//
// The file, UTF-8, most recent script first: a line with the script's path,
// then a line per field that is not empty, each starting with a tab:
//
//   /home/u/walk.inp
//   <tab>set A=0..9
//   <tab>where CHK=41
//   <tab>near N 48° 14.120 E 011° 29.870
#pragma once

#include <string>
#include <vector>

#include "frontend/vary/form.h"

namespace orbelin {

inline constexpr const char* kTriedFieldsFileName = "Orbelin-tried.txt";
// Scripts whose fields are kept; the least recently tried go first.
inline constexpr size_t kMaxTriedScripts = 50;

class TriedFields {
 public:
  // The fields last kept for `key` (a script's path, or a name for an
  // unsaved text that starts with no '/'), or empty ones. Their `source` is
  // always empty.
  VaryForm Find(const std::string& key) const;
  // Keeps `fields` for `key` as the most recent; fields all empty forget it.
  void Keep(const std::string& key, const VaryForm& fields);
  // The fields of `from` are those of `to` too (a text saved under a new
  // name keeps what was tried on it); false when `from` has none.
  bool Copy(const std::string& from, const std::string& to);

  // Only scripts with a path are written; what cannot be read is none.
  void Read(const std::string& program_folder);
  void Write(const std::string& program_folder) const;

 private:
  struct Entry {
    std::string key;
    VaryForm fields;
  };
  std::vector<Entry> entries_;  // most recent first
};

// Whether the user typed anything into the fields.
bool AnyFieldFilled(const VaryForm& fields);

}  // namespace orbelin
