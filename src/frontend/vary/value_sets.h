// The values to try for one variable, as the user writes them:
//
//   A=0..9        a range, both ends included
//   B=1,3,5       a list
//   C=0..90/5     a range with a step: 0, 5, 10 ... 90
//   D=0..3,7,9    a list may hold ranges
//
// Numbers may be negative and have decimals (0..1/0.25). Each value is the
// double nearest to its decimal, as the same number typed into a script
// would be, never the sum of steps that drifts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

// The most combinations a run of every value tries.
inline constexpr uint64_t kMaxCombinations = 10'000'000;

struct ValueSet {
  std::string name;            // folded to capitals and cut to 19 bytes, as a script's names are
  std::string written;         // the name as the user wrote it, for messages
  std::vector<double> values;  // in the order written, each once
};

struct ValueSetReading {
  std::optional<ValueSet> set;
  std::string error;  // a sentence saying what is wrong, when there is no set
};

// A variable's name as a script knows it: a to z folded to capitals, cut to
// the 19 bytes that count.
std::string VariableName(std::string_view written);

// "NAME=VALUES" parted at its first '=', as --set and --where (and the
// dialogs' fields) write it: the name as written, without the blanks around
// it, and as a script knows it, and the text of the values. Nothing when
// there is no '=' or no name before it.
struct NameAndValues {
  std::string written;
  std::string name;
  std::string_view values;
};
std::optional<NameAndValues> SplitNameAndValues(std::string_view text);

// Reads "NAME=VALUES". The name is not checked against a script here.
ValueSetReading ReadValueSet(std::string_view text);

// Reads the VALUES part alone ("0..9", "1,3,5", "0..90/5").
std::optional<std::vector<double>> ReadValues(std::string_view text, std::string* error);

// For a range written with more than two dots ("1...3"), which would read as
// a range up to .3: the sentence that says so. "" for any other item.
std::string TooManyDots(std::string_view item);

// The number of combinations of the sets, or kMaxCombinations + 1 when it
// is more than kMaxCombinations (no overflow, whatever the sizes).
uint64_t CombinationCount(const std::vector<ValueSet>& sets);

// "1,000,000": a count as users read it.
std::string CountText(uint64_t n);

// A value as the user would type it again: the shortest decimal that reads
// back as the same double ("0.25", "7", "-3").
std::string ValueText(double value);

// "A=1 B=3": the values of one combination, in the order of the sets.
std::string CombinationText(const std::vector<ValueSet>& sets, const std::vector<double>& values);

}  // namespace orbelin
