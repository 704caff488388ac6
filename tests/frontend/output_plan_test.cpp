#include "frontend/output_plan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/file_io.h"
#include "test_files.h"

namespace orbelin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// One folder for every case: a script, another name of it (a hard link), a
// results file that is a link leading out of the folder, a link to nothing,
// two scripts of one name in two folders, and a folder reached through a
// link. "F/" in a case stands for the folder.
class OutputPlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir / "victim.txt", "keep");
    std::filesystem::create_directories(dir / "f/d1");
    std::filesystem::create_directories(dir / "f/d2");
    std::filesystem::create_directories(dir / "f/real");
    WriteBytes(dir / "f/a.inp", "WRITE 1;");
    WriteBytes(dir / "f/d1/x.inp", "WRITE 1;");
    WriteBytes(dir / "f/d2/x.inp", "WRITE 2;");
    ASSERT_EQ(link((dir / "f/a.inp").c_str(), (dir / "f/a-too.gpx").c_str()), 0);
    ASSERT_EQ(symlink("../victim.txt", (dir / "f/b.res").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (dir / "f/dangling.csv").c_str()), 0);
    ASSERT_EQ(symlink("real", (dir / "f/alias").c_str()), 0);
  }
  std::string F(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "F/") == 0 && (i == 0 || text[i - 1] == ' ')) {
        out += dir / "f/";
        ++i;
      } else {
        out += text[i];
      }
    }
    return out;
  }
  TempFolder dir;
};

struct Planned {
  std::string path;
  OutputKind kind;
  std::string of, option;
};

TEST_F(OutputPlanTest, RefusesOutputsOnInputsOnEachOtherAndOnLinks) {
  struct Case {
    const char* what;
    std::vector<std::string> reads;
    std::vector<Planned> writes;
    std::string refusal;  // "" : allowed
  } cases[] = {
      {"a run beside its script",
       {"F/a.inp"},
       {{"F/a.res", OutputKind::kResults, "F/a.inp", ""},
        {"F/a.lst", OutputKind::kListing, "F/a.inp", ""},
        {"F/w.gpx", OutputKind::kGpx, "", "--gpx"}},
       ""},
      {"a GPX file named like the script",
       {"F/a.inp"},
       {{"F/a.inp", OutputKind::kGpx, "", "--gpx"}},
       "The script F/a.inp would be overwritten by the GPX file (--gpx)."},
      {"another name of the script (a hard link)",
       {"F/a.inp"},
       {{"F/a-too.gpx", OutputKind::kGpx, "", ""}},
       "The script F/a.inp would be overwritten by the GPX file."},
      {"a script named like its own results",
       {"F/a.inp", "F/victim.res"},
       {{"F/victim.res", OutputKind::kResults, "F/victim.res", ""}},
       "The script F/victim.res would be overwritten by its own results: a run writes"},
      {"a GPX file over a run's listing",
       {"F/a.inp"},
       {{"F/a.lst", OutputKind::kListing, "F/a.inp", ""},
        {"F/a.lst", OutputKind::kGpx, "", "--gpx"}},
       "The listing of F/a.inp and the GPX file (--gpx) would both be written to F/a.lst, and "
       "one would be lost."},
      {"CSV and GPX on one new file, named two ways",
       {"F/a.inp"},
       {{"F/new.x", OutputKind::kCsv, "", "--csv"}, {"F/./new.x", OutputKind::kGpx, "", "--gpx"}},
       "The CSV file (--csv) and the GPX file (--gpx) would both be written to F/./new.x"},
      {"one new file reached through a folder's link and through a folder that is not there",
       {},
       {{"F/alias/n.gpx", OutputKind::kGpx, "", "--gpx"},
        {"F/missing/../real/n.gpx", OutputKind::kCsv, "", "--csv"}},
       "The GPX file (--gpx) and the CSV file (--csv) would both be written to "
       "F/missing/../real/n.gpx"},
      {"a folder's link leads to a file of its own",
       {},
       {{"F/alias/r.res", OutputKind::kResults, "x", ""}},
       ""},
      {"results through a link that leads out of the folder",
       {"F/b.inp"},
       {{"F/b.res", OutputKind::kResults, "F/b.inp", ""}},
       "The results of F/b.inp would go to F/b.res, a symbolic link to ../victim.txt: Orbelin "
       "writes no output through a link"},
      {"a link to nothing",
       {},
       {{"F/dangling.csv", OutputKind::kCsv, "", "--csv"}},
       "a symbolic link to nowhere (which does not exist)"},
      {"two scripts of one name into one folder",
       {"F/d1/x.inp", "F/d2/x.inp"},
       {{"F/out/x.res", OutputKind::kResults, "F/d1/x.inp", ""},
        {"F/out/x.lst", OutputKind::kListing, "F/d1/x.inp", ""},
        {"F/out/x.res", OutputKind::kResults, "F/d2/x.inp", ""},
        {"F/out/x.lst", OutputKind::kListing, "F/d2/x.inp", ""}},
       "The scripts F/d1/x.inp and F/d2/x.inp would both write their results to F/out/x.res: "
       "the second would replace the first."},
      {"one script named twice",
       {"F/a.inp", "F/a.inp"},
       {{"F/a.res", OutputKind::kResults, "F/a.inp", ""},
        {"F/a.res", OutputKind::kResults, "F/a.inp", ""}},
       "The script F/a.inp is named twice: its second run would write its results over those "
       "of the first, in F/a.res."},
  };
  for (const Case& c : cases) {
    OutputPlan plan;
    for (const std::string& in : c.reads) plan.Reads(F(in));
    for (const Planned& out : c.writes) plan.Writes(F(out.path), out.kind, F(out.of), out.option);
    const std::vector<std::string> refusals = plan.Refusals();
    if (c.refusal.empty()) {
      EXPECT_TRUE(refusals.empty()) << c.what << ": " << OneParagraph(refusals);
      continue;
    }
    // One sentence for each clash: two runs clash once, not once per file.
    EXPECT_EQ(refusals.size(), 1u) << c.what << ": " << OneParagraph(refusals);
    EXPECT_NE(OneParagraph(refusals).find(F(c.refusal)), std::string::npos)
        << c.what << ":\n  " << OneParagraph(refusals) << "\nwants\n  " << F(c.refusal);
  }
  // Planning changed nothing.
  EXPECT_EQ(ReadBytes(dir / "victim.txt"), "keep");
  EXPECT_EQ(ReadBytes(dir / "f/a.inp"), "WRITE 1;");
  EXPECT_FALSE(std::filesystem::exists(dir / "f/out"));
}

// The write itself never follows a link either: one planted between the
// plan and the write is refused, and its target keeps its bytes.
TEST_F(OutputPlanTest, TheWriteRefusesALinkThatCameAfterThePlan) {
  EXPECT_EQ(WriteOutputFile(dir / "f/b.res", "results\n"), ALinkIsInTheWay());
  EXPECT_EQ(ReadBytes(dir / "victim.txt"), "keep");
  EXPECT_EQ(WriteOutputFile(dir / "f/c.res", "results\n"), std::error_code());
  EXPECT_EQ(ReadBytes(dir / "f/c.res"), "results\n");
}

}  // namespace
}  // namespace orbelin
