#include "frontend/vary/unknowns.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

TEST(UnsetVariables, TheLettersAFinalLeavesOpen) {
  struct Case {
    const char* script;
    std::vector<std::string> unset;
  };
  const Case cases[] = {
      // The cookbook's final: the stages gave B, C, D, F, G; LAT, LON and
      // CHK are computed.
      {"VAR A, B, C, D, E, F, G, H, LAT, LON, CHK;\r\n"
       "B = 3; C = 4; D = 7; F = 5; G = 0;\r\n"
       "LAT = 48 + (10 + A + (100 * B + 10 * C + D) / 1000) / 60;\r\n"
       "LON = 11 + (30 + E + (100 * F + 10 * G + H) / 1000) / 60;\r\n"
       "CHK = WGCQSUM(LAT, LON);\r\n",
       {"A", "E", "H"}},
      // A library statement writes its results into the variables handed
      // to it; a name inside an expression argument is only read.
      {"VAR A, B, X, Y; GPS2GK(48 + A, 11, 3, X, Y); WRITE B;", {"A", "B"}},
      {"VAR A, B, X, Y; CP(48, 11 + (A), 100, B, X, Y);", {"A", "B"}},
      // Reading a name or writing it sets nothing.
      {"VAR NORTH, KEY; OLAT = NORTH; WRITE KEY, 'x = 1';", {"NORTH", "KEY"}},
      {"VAR A;\r\n(* A = 1; *) WRITE A;", {"A"}},
      {"WRITE 1;", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(UnsetVariables(c.script), c.unset) << c.script;
}

}  // namespace
}  // namespace orbelin
