#include "interp/scanner.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "interp/library_call.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

struct Keyword {
  std::string_view text;
  int terminal;
};

// Every keyword, sorted by its text for a binary search.
constexpr Keyword kKeywords[] = {
    {"ACOS", 60},       {"ALPHA", 87},      {"ASIN", 62},         {"ATAN", 65},
    {"ATAN2", 66},      {"BEARINGUTM", 75}, {"BOGENSCHNITT", 40}, {"CBP", 35},
    {"CEIL", 67},       {"CENTER", 38},     {"CHAR", 18},         {"COS", 59},
    {"CP", 34},         {"DEBUG", 29},      {"DISTUTM", 76},      {"DISTVINCENTY", 77},
    {"ENIGMAINFO", 46}, {"ENIGMAINIT", 44}, {"ENIGMARUN", 45},    {"ENIGMAWHEELS", 47},
    {"ESROM", 12},      {"EXP", 68},        {"FABS", 69},         {"FLOOR", 70},
    {"FMOD", 71},       {"GK2GPS", 37},     {"GMMMM", 74},        {"GPS2GK", 36},
    {"GPS2UTM", 32},    {"KQSUM", 83},      {"KREUZPEILUNG", 39}, {"LIN3", 31},
    {"MARGIN", 30},     {"MKZ", 80},        {"MORSE", 9},         {"OLAT", 28},
    {"OLON", 26},       {"ORD", 86},        {"PI", 54},           {"POW", 72},
    {"PROJUTMLAT", 78}, {"PROJUTMLON", 79}, {"QQSUM", 82},        {"QSUM", 81},
    {"ROT13", 24},      {"SIN", 61},        {"SQRT", 73},         {"SUBSTR", 23},
    {"SUBSTRI", 43},    {"SUMDEV", 95},     {"SUMEYR", 96},       {"SUMJEN", 90},
    {"SUMKAH", 92},     {"SUMKAS", 89},     {"SUMKER", 94},       {"SUMMER", 91},
    {"SUMMEY", 93},     {"SUMROM", 88},     {"TAN", 63},          {"TANH", 64},
    {"TODEG", 85},      {"TORAD", 84},      {"TRANS", 21},        {"TRANSI", 42},
    {"TRANSR", 22},     {"UTM2GPS", 33},    {"VAR", 4},           {"VIGD", 20},
    {"VIGE", 19},       {"VIGI", 41},       {"WGK", 16},          {"WGPS", 15},
    {"WLAT", 13},       {"WLON", 14},       {"WRITE", 7},         {"WUTM", 17},
};
constexpr size_t kLongestKeyword = 12;

constexpr bool SortedKeywords() {
  for (size_t i = 1; i < std::size(kKeywords); ++i) {
    if (!(kKeywords[i - 1].text < kKeywords[i].text)) return false;
  }
  return true;
}
static_assert(SortedKeywords() && std::size(kKeywords) == 76);

struct KeywordRange {
  int begin = 0, end = 0;
};
struct LetterIndex {
  KeywordRange ranges[26];
};

constexpr LetterIndex IndexByLetter() {
  LetterIndex index;
  for (int i = 0; i < static_cast<int>(std::size(kKeywords)); ++i) {
    KeywordRange& r = index.ranges[kKeywords[i].text[0] - 'A'];
    if (r.begin == r.end) r.begin = i;
    r.end = i + 1;
  }
  return index;
}
constexpr LetterIndex kByLetter = IndexByLetter();

inline unsigned char Fold(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? c - 32 : c;
}
inline bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
inline bool IsNameByte(unsigned char c) {  // after folding
  return IsDigit(c) || (c >= 'A' && c <= 'Z');
}

// Terminals of the bytes that are a token by themselves.
int SingleByteTerminal(unsigned char c) {
  switch (c) {
    case ',':
      return kComma;
    case ';':
      return kSemicolon;
    case '(':
      return kLParen;
    case ')':
      return kRParen;
    case ':':
      return kColon;
    case '=':
      return kEquals;
    case '+':
      return kPlus;
    case '*':
      return kStar;
    case '/':
      return kSlash;
    case '^':
      return kCaret;
    case '|':
      return kBar;
    default:
      return -1;
  }
}

constexpr unsigned char kDegreeSign = 0xB0;

// What atof makes of a token's text: a number literal, or for a name the
// infinity or NaN it may spell; every other token gives 0.
double AtofOfToken(std::string_view s) {
  if (s.empty()) return 0.0;
  if (IsDigit(static_cast<unsigned char>(s[0]))) {
    double value = 0.0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
  }
  auto starts = [&](std::string_view word) {
    if (s.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
      if (Fold(static_cast<unsigned char>(s[i])) != word[i]) return false;
    }
    return true;
  };
  if (starts("INF")) return __builtin_inf();
  if (starts("NAN")) return __builtin_nan("");
  return 0.0;
}

}  // namespace

int KeywordTerminal(std::string_view name) {
  if (name.empty() || name.size() > kLongestKeyword) return kIdent;
  const unsigned char first = static_cast<unsigned char>(name[0]);
  if (first < 'A' || first > 'Z') return kIdent;
  // The keywords of one first letter stand together in the sorted table.
  const KeywordRange range = kByLetter.ranges[first - 'A'];
  for (int i = range.begin; i < range.end; ++i) {
    const Keyword& k = kKeywords[i];
    if (k.text.size() == name.size() && std::memcmp(k.text.data(), name.data(), name.size()) == 0) {
      return k.terminal;
    }
  }
  return kIdent;
}

Scanner::Scanner(std::string_view text, Diagnostics& diagnostics)
    : text_(text.data()), size_(text.size()), diagnostics_(diagnostics) {
  const void* nul = std::memchr(text_, 0, size_);
  if (nul != nullptr) size_ = static_cast<const char*>(nul) - text_;
  pos_ = static_cast<size_t>(-1);  // the first NextChar reads byte 0
  NextChar();
}

void Scanner::NextChar() {
  ++pos_;
  unsigned char c = pos_ < size_ ? Fold(static_cast<unsigned char>(text_[pos_])) : 0;
  ch_ = c;
  if (c == '\t') {
    col_ = col_ - (col_ % 8) + 8;
  } else if (c == '\n') {
    ++line_;
    col_ = 0;
  }
  ++col_;
}

void Scanner::NextToken() {
  current_ = lookahead_;
  ScanToken();
  diagnostics_.TokenDelivered();
}

// Skips one comment starting at the current byte. Returns false, with the
// scanner where it was, when the bytes start no comment; also false at the
// end of the text inside a comment, which then reads as the end.
bool Scanner::SkipComment() {
  const size_t pos = pos_;
  const int line = line_, col = col_;
  const unsigned char ch = ch_;
  auto restore = [&] {
    pos_ = pos, line_ = line, col_ = col, ch_ = ch;
    return false;
  };

  if (ch_ == '-') {
    NextChar();
    if (ch_ != '-') return restore();
    NextChar();
    // A line comment ends at a carriage return or a line feed, so files with
    // either kind of line end work.
    while (ch_ != '\r' && ch_ != '\n' && ch_ != 0) NextChar();
    if (ch_ == 0) return false;
    NextChar();
    return true;
  }
  if (ch_ == '(') {
    NextChar();
    if (ch_ != '*') return restore();
    NextChar();
    for (;;) {
      if (ch_ == '*') {
        NextChar();
        if (ch_ == ')') break;
      } else if (ch_ == 0) {
        return false;
      } else {
        NextChar();
      }
    }
    NextChar();
    return true;
  }
  // '{'
  NextChar();
  while (ch_ != '}') {
    if (ch_ == 0) return false;
    NextChar();
  }
  NextChar();
  return true;
}

int Scanner::ScanName() {
  const size_t start = pos_;
  // Name bytes are letters and digits, never a tab or a line end, so the
  // column simply advances with the position.
  size_t p = pos_ + 1;
  while (p < size_ && IsNameByte(Fold(static_cast<unsigned char>(text_[p])))) ++p;
  col_ += static_cast<int>(p - pos_ - 1);
  pos_ = p - 1;
  NextChar();
  const size_t length = pos_ - start;
  if (length > kLongestKeyword) return kIdent;
  char folded[kLongestKeyword];
  for (size_t i = 0; i < length; ++i) folded[i] = static_cast<char>(Fold(text_[start + i]));
  return KeywordTerminal(std::string_view(folded, length));
}

void Scanner::ScanToken() {
  for (;;) {
    while (ch_ == '\n' || ch_ == '\r' || ch_ == ' ') NextChar();
    if ((ch_ == '(' || ch_ == '-' || ch_ == '{') && SkipComment()) continue;
    break;
  }
  Token& t = lookahead_;
  t.position = pos_;
  t.location = {line_, col_ - 1};
  const unsigned char c = ch_;

  if (c == 0) {
    t.terminal = kEof;
  } else if (c >= 'A' && c <= 'Z') {
    t.terminal = ScanName();
  } else if (IsDigit(c)) {
    do NextChar();
    while (IsDigit(ch_));
    t.terminal = kNumber;
    if (ch_ == '.') {
      NextChar();
      if (IsDigit(ch_)) {
        do NextChar();
        while (IsDigit(ch_));
      } else {
        t.terminal = kNoSym;  // "5." is no number
      }
    }
  } else if (c == '\'') {
    // Bytes 32 to 255 except the quote stay in the string; anything below 32
    // (a tab, a line end, the end of the text) breaks it off.
    NextChar();
    while (ch_ >= 32 && ch_ != '\'') NextChar();
    if (ch_ == '\'') {
      NextChar();
      t.terminal = kString;
    } else {
      t.terminal = kNoSym;
    }
  } else if (c == '-') {
    NextChar();
    t.terminal = kMinus;
    if (ch_ == '>') {
      NextChar();
      t.terminal = kArrow;
    }
  } else if (c == kDegreeSign) {
    NextChar();
    switch (ch_) {
      case 'E':
        t.terminal = kDegE;
        break;
      case 'N':
        t.terminal = kDegN;
        break;
      case 'W':
        t.terminal = kDegW;
        break;
      case 'S':
        t.terminal = kDegS;
        break;
      default:
        t.terminal = kNoSym;
        break;
    }
    if (t.terminal != kNoSym) NextChar();
  } else {
    int single = SingleByteTerminal(c);
    NextChar();
    t.terminal = single >= 0 ? single : kNoSym;
  }
  t.length = pos_ - t.position;
}

std::string_view Scanner::TokenText(size_t max) const {
  size_t n = std::min(current_.length, max);
  return std::string_view(text_ + current_.position, n);
}

double Scanner::NumberValue() const {
  return AtofOfToken(TokenText(kNumberBytes));
}

void Scanner::StringValue(StringArg* out) const {
  std::string_view s = TokenText(StringArg::kCapacity);
  if (s.size() >= 2) {
    out->Assign(s.substr(1, s.size() - 2));
  } else {
    out->Assign({});
  }
}

std::string_view Scanner::NameText(char (&buffer)[kNameBytes + 1]) const {
  std::string_view s = TokenText(kNameBytes);
  for (size_t i = 0; i < s.size(); ++i) buffer[i] = static_cast<char>(Fold(s[i]));
  buffer[s.size()] = '\0';
  return std::string_view(buffer, s.size());
}

}  // namespace orbelin
