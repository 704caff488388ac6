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

#include "interp/diagnostics.h"

namespace orbelin {

struct StringArg;

struct Token {
  int terminal = 0;
  SourceLocation location;  // line from 1; column from 1 with tabs expanded
  size_t position = 0;      // index of the first byte in the text
  size_t length = 0;        // bytes
};

class Scanner {
 public:
  // Longest name significant for variables, longest number literal read.
  static constexpr size_t kNameBytes = 19;
  static constexpr size_t kNumberBytes = 19;

  // The text must stay alive while scanning; it ends at its first NUL or at
  // its size, and no byte beyond is read.
  Scanner(std::string_view text, Diagnostics& diagnostics);

  // The lookahead becomes the current token and the next one is scanned.
  void NextToken();

  int lookahead() const { return lookahead_.terminal; }
  const Token& current() const { return current_; }
  const SourceLocation* lookahead_location() const { return &lookahead_.location; }

  // The first min(length, max) bytes of the current token, as in the source.
  std::string_view TokenText(size_t max) const;
  // The current token as a number literal (the first 19 bytes, read as the C
  // library's atof reads them).
  double NumberValue() const;
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

 private:
  void NextChar();
  void ScanToken();
  bool SkipComment();
  bool Unclosed(int line, int col, size_t pos);
  int ScanName();

  const char* text_;
  size_t size_;  // bytes before the first NUL
  Diagnostics& diagnostics_;

  unsigned char ch_ = 0;  // current byte, folded
  size_t pos_ = 0;
  int line_ = 1;
  int col_ = 1;

  Token lookahead_;
  Token current_;
  SourceLocation unclosed_comment_;
  bool has_unclosed_comment_ = false;
};

// The terminal of a keyword spelt in capitals, or kIdent.
int KeywordTerminal(std::string_view folded_name);

}  // namespace orbelin
