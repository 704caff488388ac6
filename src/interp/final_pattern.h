// A formula final as cache pages write it: "N 48° 1A.BCD E 011° 3E.FGH",
// or with sums, "N 50° (A+B)2.(C*2)D5 E 008° 4(E-1).FG0".
//
//   pattern  = half [","] half              the halves apart by a space or a comma
//   half     = ("N"|"S"|"E"|"W") degrees ("°" | space) minutes
//   degrees  = item {item}                  minutes = item {item} ["." item {item}]
//   item     = digit | letter | "(" sum ")"
//
// A letter stands for one digit: the value of the variable of that name,
// which must be a whole number 0 to 9. A bracket holds a sum over numbers and
// the variables (+ - * / ^ and brackets, names as the script writes them);
// its value, a whole number 0 or more, is written in as its digits. Spaces
// may stand around "°" and inside brackets; "°" may be left out where a
// space parts the degrees from the minutes. Letters are read as capitals.
// The first half is the latitude (N or S), the second the longitude (E or
// W); minutes are below 60, and 90° and 180° take no minutes.
//
// Reading the text checks its form once; each set of values then gives a
// point or the reason it gives none.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

class FinalPattern {
 public:
  // One digit position, a letter, or a bracket.
  struct Item {
    enum class Kind { kDigit, kLetter, kBracket };
    Kind kind = Kind::kDigit;
    char digit = '0';
    std::string name;  // a letter's name
    std::string text;  // a bracket as written, brackets included
    // A bracket's sum in postfix order: numbers, names, operators.
    struct Op {
      enum class Kind { kNumber, kName, kAdd, kSub, kMul, kDiv, kPow, kNeg };
      Kind kind = Kind::kNumber;
      double number = 0.0;
      std::string name;
    };
    std::vector<Op> sum;
  };
  struct Half {
    char hemisphere = 'N';
    std::vector<Item> degrees, minutes, decimals;
    bool point = false;  // the minutes have a "."
  };

  // The variables the pattern uses, in order of first appearance.
  const std::vector<std::string>& names() const { return names_; }
  const Half& lat() const { return halves_[0]; }
  const Half& lon() const { return halves_[1]; }

 private:
  friend struct FinalPatternReader;
  Half halves_[2];
  std::vector<std::string> names_;
};

// What reading a pattern gives: the pattern, or the error number (180 to
// 182) and a sentence that says what is wrong and what to write.
struct FinalPatternReading {
  std::optional<FinalPattern> pattern;
  int error = 0;
  std::string why;
  // The variables met, in order of first appearance (up to a mistake).
  std::vector<std::string> names;
};

// `text` is Windows-1252 ("°" is byte 0xB0).
FinalPatternReading ReadFinalPattern(std::string_view text);

// The last pattern read, for a search that runs one script for many values:
// reading the same text again for every combination would cost more than
// the rest of the run.
class FinalPatternMemo {
 public:
  const FinalPatternReading& Read(std::string_view text) {
    if (!reading_ || text != text_) {
      reading_ = ReadFinalPattern(text);
      text_ = text;
    }
    return *reading_;
  }

 private:
  std::string text_;
  std::optional<FinalPatternReading> reading_;
};

// A variable's value, or nothing when there is no variable of that name
// (folded to capitals).
using FinalLookup = std::function<std::optional<double>(const std::string& name)>;

struct FinalPoint {
  bool ok = false;
  double lat = 0.0, lon = 0.0;
  int digit_sum = 0;    // of every digit of the coordinates as written
  std::string written;  // "N 48° 12.345 E 011° 30.500", Windows-1252
  int error = 0;        // 183 to 187 when !ok
  std::string why;
};

// The point the pattern gives with the variables' values.
FinalPoint EvaluateFinal(const FinalPattern& pattern, const FinalLookup& lookup);

}  // namespace orbelin
