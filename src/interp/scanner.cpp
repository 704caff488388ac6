#include "interp/scanner.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "base/ascii.h"
#include "base/source_text.h"
#include "interp/library_call.h"
#include "interp/pasted_coordinate.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

struct Keyword {
  std::string_view text;
  int terminal;
};

constexpr size_t CountKeywords() {
  size_t n = 0;
  for (int t = 0; t < kTerminalCount; ++t) n += IsKeyword(t) ? 1 : 0;
  return n;
}

// Every keyword of the terminal table, sorted by its text, so that the
// keywords of one first letter stand together.
constexpr auto SortedKeywords() {
  std::array<Keyword, CountKeywords()> keywords{};
  size_t n = 0;
  for (int t = 0; t < kTerminalCount; ++t) {
    if (IsKeyword(t)) keywords[n++] = {TerminalText(t), t};
  }
  std::sort(keywords.begin(), keywords.end(),
            [](const Keyword& a, const Keyword& b) { return a.text < b.text; });
  return keywords;
}
constexpr auto kKeywords = SortedKeywords();

constexpr size_t LongestKeyword() {
  size_t longest = 0;
  for (const Keyword& k : kKeywords) longest = std::max(longest, k.text.size());
  return longest;
}
constexpr size_t kLongestKeyword = LongestKeyword();

struct KeywordRange {
  int begin = 0, end = 0;
};
struct LetterIndex {
  KeywordRange ranges[26];
};

constexpr LetterIndex IndexByLetter() {
  LetterIndex index;
  for (int i = 0; i < static_cast<int>(kKeywords.size()); ++i) {
    KeywordRange& r = index.ranges[kKeywords[i].text[0] - 'A'];
    if (r.begin == r.end) r.begin = i;
    r.end = i + 1;
  }
  return index;
}
constexpr LetterIndex kByLetter = IndexByLetter();

inline bool IsNameByte(unsigned char c) {  // after folding
  return IsAsciiDigit(c) || IsAsciiUpper(c);
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
  if (IsAsciiDigit(static_cast<unsigned char>(s[0]))) {
    double value = 0.0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
  }
  auto starts = [&](std::string_view word) {
    if (s.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
      if (FoldAscii(static_cast<unsigned char>(s[i])) != word[i]) return false;
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
  size_ = CutAtNul(text).size();
  if (size_ < text.size()) nul_ = size_;
  pos_ = static_cast<size_t>(-1);  // the first NextChar reads byte 0
  NextChar();
}

Scanner::Scanner(std::string_view text, Diagnostics& diagnostics, size_t position, int line)
    : text_(text.data()), size_(text.size()), diagnostics_(diagnostics) {
  if (position > size_) position = size_;
  // The column where `position` stands: the line's bytes before it, each
  // tab to its tab stop, as NextChar counts them.
  size_t start = position;
  while (start > 0 && text_[start - 1] != '\n') --start;
  int col = 1;
  for (size_t i = start; i < position; ++i) col = text_[i] == '\t' ? ColumnAfterTab(col) : col + 1;
  pos_ = position - 1;  // NextChar reads byte `position` (wrapping at 0 as above)
  line_ = line;
  col_ = col;
  NextChar();
}

void Scanner::NextChar() {
  ++pos_;
  unsigned char c = pos_ < size_ ? FoldAscii(static_cast<unsigned char>(text_[pos_])) : 0;
  ch_ = c;
  if (c == '\t') {
    col_ = ColumnAfterTab(col_) - 1;
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
        return Unclosed(line, col, pos);
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
    if (ch_ == 0) return Unclosed(line, col, pos);
    NextChar();
  }
  NextChar();
  return true;
}

// A comment that runs into the end of the text: remembered for the front
// ends' warning; it reads as the end.
bool Scanner::Unclosed(int line, int col, size_t pos) {
  unclosed_comment_ = {line, col - 1, pos};
  has_unclosed_comment_ = true;
  return false;
}

int Scanner::ScanName() {
  const size_t start = pos_;
  // Name bytes are letters and digits, never a tab or a line end, so the
  // column simply advances with the position.
  size_t p = pos_ + 1;
  while (p < size_ && IsNameByte(FoldAscii(static_cast<unsigned char>(text_[p])))) ++p;
  col_ += static_cast<int>(p - pos_ - 1);
  pos_ = p - 1;
  NextChar();
  const size_t length = pos_ - start;
  if (length > kLongestKeyword) return kIdent;
  char folded[kLongestKeyword];
  for (size_t i = 0; i < length; ++i) folded[i] = FoldAscii(text_[start + i]);
  return KeywordTerminal(std::string_view(folded, length));
}

// A coordinate as cache pages write it, "N 48° 12.345"; -1 when none
// starts here (the letter is a name, as it always was).
int Scanner::ScanPasted() {
  const PastedCoordinate c = ReadPastedCoordinate(std::string_view(text_, size_), pos_);
  if (c.kind == PastedCoordinate::Kind::kNone) return -1;
  for (size_t i = 0; i < c.length; ++i) NextChar();
  return c.kind == PastedCoordinate::Kind::kValue ? kPasted : kNoSym;
}

void Scanner::ScanToken() {
  for (;;) {
    while (ch_ == '\n' || ch_ == '\r' || ch_ == ' ') NextChar();
    if ((ch_ == '(' || ch_ == '-' || ch_ == '{') && SkipComment()) continue;
    break;
  }
  Token& t = lookahead_;
  t.position = pos_;
  t.location = {line_, col_ - 1, pos_};
  const unsigned char c = ch_;

  if (c == 0) {
    t.terminal = kEof;
  } else if (c >= 'A' && c <= 'Z') {
    // A pasted coordinate's letter is followed by a blank (or a no-break
    // space) or a digit; the keywords that share its letters go straight on
    // to ScanName.
    const bool pasted =
        (c == 'N' || c == 'S' || c == 'E' || c == 'W') && pos_ + 1 < size_ &&
        (text_[pos_ + 1] == ' ' || text_[pos_ + 1] == '\xA0' || IsAsciiDigit(text_[pos_ + 1]));
    t.terminal = pasted ? ScanPasted() : -1;
    if (t.terminal < 0) t.terminal = ScanName();
  } else if (IsAsciiDigit(c)) {
    do NextChar();
    while (IsAsciiDigit(ch_));
    t.terminal = kNumber;
    if (ch_ == '.') {
      NextChar();
      if (IsAsciiDigit(ch_)) {
        do NextChar();
        while (IsAsciiDigit(ch_));
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
  const size_t length = pos_ - t.position;
  t.length = length;
  // What the language cuts without a word, noted as it is read; the usual
  // short token pays one comparison.
  static_assert(kNameBytes == kNumberBytes && kStringBytes + 2 > kNameBytes);
  if (length > kNameBytes) [[unlikely]]
    NoteLongToken(t);
}

void Scanner::NoteLongToken(const Token& t) {
  if (t.terminal == kNumber || t.terminal == kIdent ||
      (t.terminal == kString && t.length > kStringBytes + 2)) {
    cut_.push_back(t);
  }
}

std::string_view Scanner::TokenText(size_t max) const {
  size_t n = std::min(current_.length, max);
  return std::string_view(text_ + current_.position, n);
}

double Scanner::NumberValue() const {
  return AtofOfToken(TokenText(kNumberBytes));
}

double Scanner::PastedValue() const {
  return ReadPastedCoordinate(std::string_view(text_, size_), current_.position).value;
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
  for (size_t i = 0; i < s.size(); ++i) buffer[i] = FoldAscii(s[i]);
  buffer[s.size()] = '\0';
  return std::string_view(buffer, s.size());
}

}  // namespace orbelin
