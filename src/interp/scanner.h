// The scanner: script text to terminals, one token of lookahead.
//
// The text is Windows-1252 and ends at its first NUL byte. Letters a to z are
// folded to capitals as they are read, so keywords and names are
// case-insensitive; string literals keep their case because their text is
// taken from the source, not from the folded bytes. Blanks, carriage returns
// and line feeds separate tokens; a tab is a token of its own (no symbol).
// Comments: "--" to the line end, "(* ... *)" and "{ ... }", not nested.
#pragma once

#include <string_view>
#include <vector>

#include "interp/diagnostics.h"
#include "interp/pasted_coordinate.h"
#include "interp/token.h"

namespace orbelin {

struct StringArg;

class Scanner {
 public:
  // Longest name significant for variables, longest number literal read,
  // longest text of a string literal kept.
  static constexpr size_t kNameBytes = 19;
  static constexpr size_t kNumberBytes = 19;
  static constexpr size_t kStringBytes = 253;

  // The text must stay alive while scanning; it ends at its first NUL or at
  // its size, and no byte beyond is read.
  Scanner(std::string_view text, Diagnostics& diagnostics);
  // A scanner that starts at `position`, the first byte of a token (never
  // inside a comment or a string) on line `line`, as a run's scanner stood
  // there: for looking at the tokens around a place after the run. The
  // text is taken to end at its size: cut it at its NUL once beforehand.
  Scanner(std::string_view text, Diagnostics& diagnostics, size_t position, int line);

  // The lookahead becomes the current token and the next one is scanned.
  void NextToken();

  int lookahead() const { return lookahead_.terminal; }
  const Token& current() const { return current_; }
  const Token& lookahead_token() const { return lookahead_; }
  const SourceLocation* lookahead_location() const { return &lookahead_.location; }

  // The first min(length, max) bytes of the current token, as in the source.
  std::string_view TokenText(size_t max) const;
  // The current token as a number literal (the first 19 bytes, read as the C
  // library's atof reads them).
  double NumberValue() const;
  // The current token as a pasted coordinate ("N 48° 12.345"): its value in
  // decimal degrees, and all that was read of it.
  double PastedValue() const;
  PastedCoordinate Pasted() const;
  // The text between the quotes of the current token (at most 253 bytes);
  // for a token that is no string, its text without first and last byte.
  void StringValue(StringArg* out) const;
  // The current token's text as a variable name: 19 bytes, folded.
  std::string_view NameText(char (&buffer)[kNameBytes + 1]) const;

  // Where a "(*" or "{" comment opened that the text never closed (it then
  // reads as the end of the text); nullptr when there is none.
  const SourceLocation* unclosed_comment() const {
    return has_unclosed_comment_ ? &unclosed_comment_ : nullptr;
  }
  // The number, string and name tokens longer than the language keeps, in
  // the order they were delivered: found during the one scan, so a clean
  // text costs nothing more.
  const std::vector<Token>& cut_tokens() const { return cut_; }
  // Where the text ends because of a NUL byte, or npos when it ends at its
  // size.
  size_t nul_position() const { return nul_; }

 private:
  void NextChar();
  void ScanToken();
  bool SkipComment();
  bool Unclosed(int line, int col, size_t pos);
  int ScanName();
  int ScanPasted();
  [[gnu::noinline]] void NoteLongToken(const Token& t);

  const char* text_;
  size_t size_;  // bytes before the first NUL
  Diagnostics& diagnostics_;

  unsigned char ch_ = 0;  // current byte, folded
  size_t pos_ = 0;
  int line_ = 1;
  int col_ = 1;

  Token lookahead_;
  Token current_;
  std::vector<Token> cut_;
  size_t nul_ = std::string_view::npos;
  SourceLocation unclosed_comment_;
  bool has_unclosed_comment_ = false;
};

// The terminal of a keyword spelt in capitals, or kIdent.
int KeywordTerminal(std::string_view folded_name);

}  // namespace orbelin
