#include "window/tried_fields.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace orbelin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Every field, as typed (the degree sign in UTF-8), reads back from the
// file; a tab or line break pasted into a field becomes a blank; unsaved
// texts are not written; fields all empty forget the script.
TEST(TriedFields, EveryFieldReadsBackFromTheFile) {
  TempFolder home;
  VaryForm form;
  form.source = "VAR A;";
  form.values = {{"A", "0..9"}, {"B", ""}, {"CHK", "1,3\t5"}};
  form.where = "CHK=41; D=0..5";
  form.near = "N 48\xC2\xB0 14.120 E 011\xC2\xB0 29.870";
  form.within = "2mi";
  form.show = "CHK, LAT";
  form.final_pattern = "N 48\xC2\xB0 1A.BCD\nE 011\xC2\xB0 3E.FGH";
  form.digit_sum = "41";
  TriedFields tried;
  tried.Keep("/home/u/walk.inp", form);
  tried.Keep("unsaved 0", form);
  tried.Keep("/home/u/empty.inp", VaryForm{});
  tried.Write(home.folder());
  EXPECT_EQ(ReadBytes(home / kTriedFieldsFileName),
            "/home/u/walk.inp\n"
            "\tset A=0..9\n"
            "\tset CHK=1,3 5\n"
            "\twhere CHK=41; D=0..5\n"
            "\tnear N 48\xC2\xB0 14.120 E 011\xC2\xB0 29.870\n"
            "\twithin 2mi\n"
            "\tshow CHK, LAT\n"
            "\tfinal N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH\n"
            "\tsum 41\n");

  TriedFields read;
  read.Read(home.folder());
  const VaryForm back = read.Find("/home/u/walk.inp");
  EXPECT_EQ(back.source, "");
  EXPECT_EQ(back.values,
            (std::vector<std::pair<std::string, std::string>>{{"A", "0..9"}, {"CHK", "1,3 5"}}));
  EXPECT_EQ(back.where, form.where);
  EXPECT_EQ(back.near, form.near);
  EXPECT_EQ(back.within, form.within);
  EXPECT_EQ(back.show, form.show);
  EXPECT_EQ(back.final_pattern, "N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH");
  EXPECT_EQ(back.digit_sum, "41");
  EXPECT_FALSE(AnyFieldFilled(read.Find("unsaved 0")));
}

// Lines that are not ours are passed over; the most recent scripts are
// kept, up to the limit.
TEST(TriedFields, StrangeLinesAndTheLimit) {
  TempFolder home;
  WriteBytes(home / kTriedFieldsFileName,
             "\tset A=1\n"  // a field before any script
             "/a.inp\n\tset =1\n\tset B\n\tcolour red\n\twhere X=1\nnot a path\n\tnear N 1 E 2\n");
  TriedFields tried;
  tried.Read(home.folder());
  const VaryForm a = tried.Find("/a.inp");
  EXPECT_TRUE(a.values.empty());
  EXPECT_EQ(a.where, "X=1");
  EXPECT_EQ(a.near, "N 1 E 2");  // "not a path" belongs to no script; fields go on

  VaryForm form;
  form.within = "1km";
  for (size_t i = 0; i <= kMaxTriedScripts; ++i) tried.Keep("/" + std::to_string(i), form);
  EXPECT_FALSE(AnyFieldFilled(tried.Find("/a.inp")));
  EXPECT_FALSE(AnyFieldFilled(tried.Find("/0")));
  EXPECT_TRUE(AnyFieldFilled(tried.Find("/1")));
  tried.Keep("/1", VaryForm{});
  EXPECT_FALSE(AnyFieldFilled(tried.Find("/1")));
}

}  // namespace
}  // namespace orbelin
