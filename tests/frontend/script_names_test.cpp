#include "frontend/script_names.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

TEST(BuildFileNames, DerivesEveryName) {
  struct Case {
    std::string path, script, results, listing, folder, name;
  } cases[] = {
      {"/docs/walk", "/docs/walk.inp", "/docs/walk.res", "/docs/walk.lst", "/docs/", "walk.inp"},
      {"/docs/walk.txt", "/docs/walk.txt", "/docs/walk.res", "/docs/walk.lst", "/docs/",
       "walk.txt"},
      {"/walk.inp", "/walk.inp", "/walk.res", "/walk.lst", "/walk.inp", ""},  // '/' at 0
      {"walk", "walk.inp", "walk.res", "walk.lst", "walk.inp", ""},
      {"a", "a.inp", "a.res", "a.lst", "a.inp", ""},
      {"", "", "", "", "", ""},
      // A dot in a folder name is no extension: the files stay in the folder.
      {"/tmp/tmp.x1/walk", "/tmp/tmp.x1/walk.inp", "/tmp/tmp.x1/walk.res", "/tmp/tmp.x1/walk.lst",
       "/tmp/tmp.x1/", "walk.inp"},
      {"/home/u/.local/share/orbelin/walk", "/home/u/.local/share/orbelin/walk.inp",
       "/home/u/.local/share/orbelin/walk.res", "/home/u/.local/share/orbelin/walk.lst",
       "/home/u/.local/share/orbelin/", "walk.inp"},
      {"/x/.hidden", "/x/.hidden.inp", "/x/.hidden.res", "/x/.hidden.lst", "/x/", ".hidden.inp"},
      {"/x/a.b.c", "/x/a.b.c", "/x/a.b.res", "/x/a.b.lst", "/x/", "a.b.c"},
  };
  for (const Case& c : cases) {
    ScriptFileNames n = BuildFileNames(c.path);
    EXPECT_EQ(n.script, c.script) << c.path;
    EXPECT_EQ(n.results, c.results) << c.path;
    EXPECT_EQ(n.listing, c.listing) << c.path;
    EXPECT_EQ(n.folder, c.folder) << c.path;
    EXPECT_EQ(n.name, c.name) << c.path;
  }
}

}  // namespace
}  // namespace orbelin
