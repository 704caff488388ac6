#include "interp/final_pattern.h"

#include <cmath>
#include <cstdio>

#include "interp/errors.h"

namespace orbelin {

namespace {

constexpr char kDegree = '\xB0';
// More digits than a double holds exactly are no coordinate.
constexpr size_t kMostDigits = 15;
constexpr size_t kLongestName = 19;  // as the script's names are cut

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

// A recursive descent over the text; the first mistake ends it.
struct FinalPatternReader {
  using Op = FinalPattern::Item::Op;

  std::string_view s;
  size_t p = 0;
  FinalPattern out;
  int error = 0;
  std::string why;

  static Op MakeOp(Op::Kind kind, double number = 0.0, std::string name = {}) {
    Op op;
    op.kind = kind;
    op.number = number;
    op.name = std::move(name);
    return op;
  }

  bool Fail(int number, std::string text) {
    if (error == 0) {
      error = number;
      why = std::move(text);
    }
    return false;
  }
  char Peek() const { return p < s.size() ? s[p] : '\0'; }
  void SkipSpaces() {
    while (p < s.size() && IsSpace(s[p])) ++p;
  }
  // Where the reading stands, for the sentences: "at 'D E 011'".
  std::string Here() const {
    if (p >= s.size()) return "at the end";
    return "at '" + std::string(s.substr(p, 8)) + "'";
  }
  void Use(const std::string& name) {
    for (const std::string& n : out.names_) {
      if (n == name) return;
    }
    out.names_.push_back(name);
  }

  bool Read() {
    SkipSpaces();
    if (!ReadHalf(&out.halves_[0], "NS", "latitude")) return false;
    const size_t before = p;
    SkipSpaces();
    if (Peek() == ',') {
      ++p;
      SkipSpaces();
    }
    if (p == before && p < s.size()) {
      return Fail(kErrNotFinalPattern, "a space must part the latitude from the longitude " +
                                           Here() + ", as in N 48\xB0 1A.BCD E 011\xB0 3E.FGH");
    }
    if (!ReadHalf(&out.halves_[1], "EW", "longitude")) return false;
    SkipSpaces();
    if (p < s.size()) {
      return Fail(kErrNotFinalPattern, "the pattern should end after the longitude's minutes, " +
                                           Here() + " is left over");
    }
    return true;
  }

  bool ReadHalf(FinalPattern::Half* half, const char* hemispheres, const char* what) {
    const char h = Upper(Peek());
    if (h == '\0' || (h != hemispheres[0] && h != hemispheres[1])) {
      return Fail(kErrNotFinalPattern, std::string("the ") + what + " should start with " +
                                           hemispheres[0] + " or " + hemispheres[1] + " " + Here() +
                                           ", as in N 48\xB0 1A.BCD E 011\xB0 3E.FGH");
    }
    half->hemisphere = h;
    const size_t start = p;
    ++p;
    SkipSpaces();
    if (!ReadItems(&half->degrees, what, "degrees")) return false;
    const size_t end_of_degrees = p;
    SkipSpaces();
    if (Peek() == kDegree) {
      ++p;
      SkipSpaces();
    } else if (p == end_of_degrees) {
      return Fail(kErrDegreeSignMissing,
                  std::string("the ") + what + "'s degrees and minutes run together in '" +
                      std::string(s.substr(start, p - start)) +
                      "': write \xB0 (or a space) after the degrees, as in N 48\xB0 1A.BCD");
    }
    if (!ReadItems(&half->minutes, what, "minutes")) return false;
    if (Peek() == '.') {
      ++p;
      half->point = true;
      if (!ReadItems(&half->decimals, what, "decimals of the minutes")) return false;
    }
    if (Peek() == '.') {
      return Fail(kErrNotFinalPattern,
                  std::string("the ") + what + "'s minutes have a second '.' " + Here());
    }
    return true;
  }

  // Digits, letters and brackets up to the next space, "°" or ".".
  bool ReadItems(std::vector<FinalPattern::Item>* items, const char* what, const char* part) {
    while (p < s.size()) {
      const char c = s[p];
      FinalPattern::Item item;
      if (IsDigit(c)) {
        item.digit = c;
        ++p;
      } else if (IsLetter(c)) {
        item.kind = FinalPattern::Item::Kind::kLetter;
        item.name = std::string(1, Upper(c));
        Use(item.name);
        ++p;
      } else if (c == '(') {
        item.kind = FinalPattern::Item::Kind::kBracket;
        const size_t start = p;
        ++p;
        if (!ReadSum(&item.sum)) return false;
        SkipSpaces();
        if (Peek() != ')') {
          if (!IsLetter(Peek()) && !IsDigit(Peek()) && Peek() != '(') {
            return Fail(kErrBracketNotClosed, "the bracket '" +
                                                  std::string(s.substr(start, p - start)) +
                                                  "' is not closed: add ')' where its sum ends");
          }
          return Fail(kErrNotFinalPattern, "a bracket holds a sum of numbers and letters, " +
                                               Here() + " is not part of one");
        }
        ++p;
        item.text = std::string(s.substr(start, p - start));
      } else if (c == ')') {
        return Fail(kErrNotFinalPattern, "a ')' " + Here() + " closes no bracket");
      } else {
        break;
      }
      items->push_back(std::move(item));
    }
    if (items->empty()) {
      return Fail(kErrNotFinalPattern, std::string("the ") + what + "'s " + part + " are missing " +
                                           Here() + ": write digits, letters or bracketed sums");
    }
    return true;
  }

  // sum = term {("+"|"-") term}; term = factor {("*"|"/") factor};
  // factor = ["-"|"+"] power; power = primary ["^" factor]
  bool ReadSum(std::vector<Op>* ops) {
    if (!ReadTerm(ops)) return false;
    for (;;) {
      SkipSpaces();
      const char c = Peek();
      if (c != '+' && c != '-') return true;
      ++p;
      if (!ReadTerm(ops)) return false;
      ops->push_back(MakeOp(c == '+' ? Op::Kind::kAdd : Op::Kind::kSub));
    }
  }
  bool ReadTerm(std::vector<Op>* ops) {
    if (!ReadFactor(ops)) return false;
    for (;;) {
      SkipSpaces();
      const char c = Peek();
      if (c != '*' && c != '/') return true;
      ++p;
      if (!ReadFactor(ops)) return false;
      ops->push_back(MakeOp(c == '*' ? Op::Kind::kMul : Op::Kind::kDiv));
    }
  }
  bool ReadFactor(std::vector<Op>* ops) {
    SkipSpaces();
    if (Peek() == '-' || Peek() == '+') {
      const bool minus = Peek() == '-';
      ++p;
      if (!ReadFactor(ops)) return false;
      if (minus) ops->push_back(MakeOp(Op::Kind::kNeg));
      return true;
    }
    if (!ReadPrimary(ops)) return false;
    SkipSpaces();
    if (Peek() == '^') {
      ++p;
      if (!ReadFactor(ops)) return false;
      ops->push_back(MakeOp(Op::Kind::kPow));
    }
    return true;
  }
  bool ReadPrimary(std::vector<Op>* ops) {
    SkipSpaces();
    const char c = Peek();
    if (IsDigit(c) || (c == '.' && p + 1 < s.size() && IsDigit(s[p + 1]))) {
      double value = 0.0, scale = 0.0;
      for (; p < s.size() && (IsDigit(s[p]) || (s[p] == '.' && scale == 0.0)); ++p) {
        if (s[p] == '.') {
          scale = 1.0;
        } else if (scale == 0.0) {
          value = value * 10 + (s[p] - '0');
        } else {
          scale /= 10;
          value += (s[p] - '0') * scale;
        }
      }
      ops->push_back(MakeOp(Op::Kind::kNumber, value));
      return true;
    }
    if (IsLetter(c)) {
      std::string name;
      for (; p < s.size() && (IsLetter(s[p]) || IsDigit(s[p])); ++p) {
        if (name.size() < kLongestName) name += Upper(s[p]);
      }
      Use(name);
      ops->push_back(MakeOp(Op::Kind::kName, 0.0, name));
      return true;
    }
    if (c == '(') {
      const size_t start = p;
      ++p;
      if (!ReadSum(ops)) return false;
      SkipSpaces();
      if (Peek() != ')') {
        return Fail(kErrBracketNotClosed, "the bracket '" +
                                              std::string(s.substr(start, p - start)) +
                                              "' is not closed: add ')' where its sum ends");
      }
      ++p;
      return true;
    }
    if (p >= s.size() || c == kDegree || IsSpace(c) || c == '.') {
      return Fail(kErrBracketNotClosed,
                  "a bracket ends " + Here() + " before its sum does: finish the sum and close it");
    }
    return Fail(kErrNotFinalPattern,
                "a bracket holds a sum of numbers and letters, " + Here() + " is not part of one");
  }
};

FinalPatternReading ReadFinalPattern(std::string_view text) {
  FinalPatternReader reader;
  reader.s = text;
  FinalPatternReading r;
  const bool read = reader.Read();
  r.names = reader.out.names();
  if (read) {
    r.pattern = std::move(reader.out);
  } else {
    r.error = reader.error;
    r.why = std::move(reader.why);
  }
  return r;
}

namespace {

using Item = FinalPattern::Item;
using Op = Item::Op;

struct Evaluation {
  const FinalLookup& lookup;
  FinalPoint& out;

  bool Fail(int number, std::string text) {
    out.ok = false;
    out.error = number;
    out.why = std::move(text);
    return false;
  }

  bool Value(const std::string& name, double* value) {
    const std::optional<double> v = lookup(name);
    if (!v) {
      return Fail(kErrPatternNameNotSet,
                  "the pattern uses " + name +
                      ", which is no variable: declare it in the VAR line and give it a value");
    }
    *value = *v;
    return true;
  }

  bool Sum(const Item& item, double* result) {
    std::vector<double> stack;
    for (const Op& op : item.sum) {
      if (op.kind == Op::Kind::kNumber) {
        stack.push_back(op.number);
        continue;
      }
      if (op.kind == Op::Kind::kName) {
        double v = 0.0;
        if (!Value(op.name, &v)) return false;
        stack.push_back(v);
        continue;
      }
      if (op.kind == Op::Kind::kNeg) {
        stack.back() = -stack.back();
        continue;
      }
      const double y = stack.back();
      stack.pop_back();
      double& x = stack.back();
      switch (op.kind) {
        case Op::Kind::kAdd:
          x = x + y;
          break;
        case Op::Kind::kSub:
          x = x - y;
          break;
        case Op::Kind::kMul:
          x = x * y;
          break;
        case Op::Kind::kDiv:
          x = x / y;
          break;
        default:
          x = std::pow(x, y);
          break;
      }
    }
    *result = stack.back();
    return true;
  }

  static std::string Number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
  }

  // The digits the items stand for, appended to *digits.
  bool Digits(const std::vector<Item>& items, std::string* digits) {
    for (const Item& item : items) {
      if (item.kind == Item::Kind::kDigit) {
        *digits += item.digit;
      } else if (item.kind == Item::Kind::kLetter) {
        double v = 0.0;
        if (!Value(item.name, &v)) return false;
        if (!(v >= 0 && v <= 9 && v == std::floor(v))) {
          return Fail(kErrLetterNotDigit,
                      item.name + " is " + Number(v) +
                          ", but a letter stands for one digit, 0 to 9: for more digits write "
                          "a bracket, (" +
                          item.name + ")");
        }
        *digits += static_cast<char>('0' + static_cast<int>(v));
      } else {
        double v = 0.0;
        if (!Sum(item, &v)) return false;
        if (!(v >= 0 && v == std::floor(v) && v < 1e15)) {
          return Fail(kErrBracketNotWhole,
                      item.text + " gives " + Number(v) +
                          ", but a bracket must give a whole number 0 or more to be written "
                          "in as digits");
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", v);
        *digits += buffer;
      }
    }
    return true;
  }

  // One coordinate: its value in degrees, its digits written into
  // out.written and counted into the digit sum.
  bool Half(const FinalPattern::Half& half, double limit, double* value) {
    std::string degrees, minutes, decimals;
    if (!Digits(half.degrees, &degrees) || !Digits(half.minutes, &minutes) ||
        !Digits(half.decimals, &decimals)) {
      return false;
    }
    if (!out.written.empty()) out.written += ' ';
    out.written += std::string(1, half.hemisphere) + ' ' + degrees + kDegree + ' ' + minutes +
                   (half.point ? "." : "") + decimals;
    for (const std::string* d : {&degrees, &minutes, &decimals}) {
      for (char c : *d) out.digit_sum += c - '0';
    }
    const std::string& w = out.written;
    const std::string this_half = w.substr(w.rfind(half.hemisphere));
    if (degrees.size() > kMostDigits || minutes.size() + decimals.size() > kMostDigits) {
      return Fail(kErrPatternDegrees, this_half + " has too many digits for a coordinate");
    }
    const double deg = std::stod(degrees);
    const double whole = std::stod(minutes + decimals);
    const double min = whole / std::pow(10.0, static_cast<double>(decimals.size()));
    if (min >= 60) {
      return Fail(kErrPatternMinutes, this_half + ": the minutes are " + minutes +
                                          (half.point ? "." : "") + decimals +
                                          ", but a degree has only 60 minutes (0 to 59.999)");
    }
    if (deg > limit || (deg == limit && min > 0)) {
      return Fail(kErrPatternDegrees, this_half + " is beyond " + Number(limit) + "\xB0");
    }
    *value = deg + min / 60;
    if (half.hemisphere == 'S' || half.hemisphere == 'W') *value = -*value;
    return true;
  }
};

}  // namespace

FinalPoint EvaluateFinal(const FinalPattern& pattern, const FinalLookup& lookup) {
  FinalPoint out;
  Evaluation e{lookup, out};
  if (e.Half(pattern.lat(), 90, &out.lat) && e.Half(pattern.lon(), 180, &out.lon)) out.ok = true;
  return out;
}

}  // namespace orbelin
