// International Morse code with dots and dashes, both ways.
//
// One table serves both directions. Its plain texts include accented
// capitals (Windows-1252), punctuation and procedure signs of two or three
// letters, which are sent as one code wherever they occur (longest match
// first). Three codes stand in two rows; decoding takes the first.
#pragma once

#include <string_view>
#include <vector>

#include "base/text_sink.h"
#include "text/text_notice.h"

namespace orbelin {

struct MorseRow {
  const char* plain;  // one to three bytes
  const char* code;   // "." and "-", one to nine of them
};

inline constexpr int kMorseRows = 67;
extern const MorseRow kMorseTable[kMorseRows];

// The first row whose plain text or code equals the text exactly, or -1.
int MorseFindPlain(std::string_view plain);
int MorseFindCode(std::string_view code);

// Writes the code of each recognised part of the text followed by a blank;
// with debug, each code is preceded by the (upper-cased) plain text it
// stands for. Only a to z are folded; characters not in the table write
// nothing. No line end. Returns how many parts were a procedure sign or had
// no code: MorseNotices has something to say only when there were some.
int MorseEncode(TextSink& out, std::string_view text, bool debug);

// What MorseEncode did with the text that the writer may not have meant:
// characters without a code, which are left out (a warning, with the
// capital where a small accented letter has one), and a procedure sign
// matched inside a longer word, as KA in KARTE (a note).
std::vector<TextNotice> MorseNotices(std::string_view text);

// Writes the plain text of each blank-separated group; a gap of k blanks
// gives k - 1 blanks. A slash or a vertical bar, with or without blanks
// around it, is the word gap that puzzles write, and gives one blank. A
// group that is no code, a run of more than nine characters included, is
// written whole as ">group<"; so is the empty group before a leading blank
// or after a trailing one. With debug, the text and a line end come first
// and each found group precedes its plain text.
void MorseDecode(TextSink& out, std::string_view text, bool debug);

}  // namespace orbelin
