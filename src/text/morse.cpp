#include "text/morse.h"

#include <algorithm>
#include <string>

#include "base/ascii.h"

namespace orbelin {

const MorseRow kMorseTable[kMorseRows] = {
    {" ", " "},          {"A", ".-"},          {"B", "-..."},      {"C", "-.-."},
    {"D", "-.."},        {"E", "."},           {"F", "..-."},      {"G", "--."},
    {"H", "...."},       {"I", ".."},          {"J", ".---"},      {"K", "-.-"},
    {"L", ".-.."},       {"M", "--"},          {"N", "-."},        {"O", "---"},
    {"P", ".--."},       {"Q", "--.-"},        {"R", ".-."},       {"S", "..."},
    {"T", "-"},          {"U", "..-"},         {"V", "...-"},      {"W", ".--"},
    {"X", "-..-"},       {"Y", "-.--"},        {"Z", "--.."},      {"0", "-----"},
    {"1", ".----"},      {"2", "..---"},       {"3", "...--"},     {"4", "....-"},
    {"5", "....."},      {"6", "-...."},       {"7", "--..."},     {"8", "---.."},
    {"9", "----."},      {"\xC0", ".--.-"},    {"\xC5", ".--.-"},  {"\xC4", ".-.-"},
    {"\xC8", ".-..-"},   {"\xC9", "..-.."},    {"\xD6", "---."},   {"\xDC", "..--"},
    {"\xDF", "...--.."}, {"CH", "----"},       {"\xD1", "--.--"},  {".", ".-.-.-"},
    {",", "--..--"},     {":", "---..."},      {";", "-.-.-."},    {"?", "..--.."},
    {"-", "-....-"},     {"(", "-.--."},       {")", "-.--.-"},    {"'", ".----."},
    {"=", "-...-"},      {"+", ".-.-."},       {"/", "-..-."},     {"@", ".--.-."},
    {"KA", "-.-.-"},     {"BT", "-...-"},      {"AR", ".-.-."},    {"VE", "...-."},
    {"SK", "...-.-"},    {"SOS", "...---..."}, {"HH", "........"},
};

int MorseFindPlain(std::string_view plain) {
  for (int i = 0; i < kMorseRows; ++i) {
    if (plain == kMorseTable[i].plain) return i;
  }
  return -1;
}

int MorseFindCode(std::string_view code) {
  for (int i = 0; i < kMorseRows; ++i) {
    if (code == kMorseTable[i].code) return i;
  }
  return -1;
}

namespace {

// The first row of a procedure sign; the rows from here on stand for two or
// three letters that are sent as one code.
constexpr int kFirstSignRow = 60;

// The row of the longest plain text at text[i] (three, two, then one
// character, a to z folded into `chunk`), or -1; `len` is the length matched,
// 1 when none.
int MatchAt(std::string_view text, size_t i, char (&chunk)[3], size_t* len) {
  size_t n = std::min<size_t>(3, text.size() - i);
  for (size_t k = 0; k < n; ++k) chunk[k] = FoldAscii(text[i + k]);
  for (; n > 0; --n) {
    const int row = MorseFindPlain(std::string_view(chunk, n));
    if (row >= 0) {
      *len = n;
      return row;
    }
  }
  *len = 1;
  return -1;
}

}  // namespace

int MorseEncode(TextSink& out, std::string_view text, bool debug) {
  int odd = 0;
  size_t i = 0;
  while (i < text.size()) {
    char chunk[3];
    size_t len;
    // The longest plain text that matches wins: "SOS" before "S".
    const int row = MatchAt(text, i, chunk, &len);
    if (row < 0 || row >= kFirstSignRow) ++odd;
    if (row < 0) {
      ++i;
      continue;
    }
    if (debug) out.Write(std::string_view(chunk, len));
    out.Write(kMorseTable[row].code);
    out.Write(" ");
    i += len;
  }
  return odd;
}

namespace {

// Letters as a word is made of: A to Z, a to z and the accented letters of
// Windows-1252 (0xC0 to 0xFF but the multiplication and division signs).
bool InWord(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return IsAsciiLetter(c) || (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

// A character as a message names it.
std::string Quoted(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u < 0x20) return "the byte " + std::to_string(u);
  return "'" + std::string(1, c) + "'";
}

}  // namespace

std::vector<TextNotice> MorseNotices(std::string_view text) {
  std::vector<TextNotice> notices;
  std::string missing;  // the characters without a code, each once
  std::string first_sign, first_word;
  int signs = 0;
  size_t i = 0;
  while (i < text.size()) {
    char chunk[3];
    size_t len;
    const int row = MatchAt(text, i, chunk, &len);
    if (row < 0) {
      if (missing.find(text[i]) == std::string::npos) missing += text[i];
    } else if (row >= kFirstSignRow) {
      size_t start = i, end = i + len;
      while (start > 0 && InWord(text[start - 1])) --start;
      while (end < text.size() && InWord(text[end])) ++end;
      // A sign that is a word of its own was meant as the sign.
      if (end - start > len && signs++ == 0) {
        first_sign.assign(chunk, len);
        first_word = text.substr(start, end - start);
      }
    }
    i += len;
  }

  if (!missing.empty()) {
    std::string named, capitals;
    for (char c : missing) {
      named += (named.empty() ? "" : ", ") + Quoted(c);
      // A small accented letter whose capital has a code: 0xE0.. is 0xC0..
      const unsigned char u = static_cast<unsigned char>(c);
      if (u >= 0xE0 && u != 0xF7) {
        const char capital = static_cast<char>(u - 0x20);
        if (MorseFindPlain(std::string_view(&capital, 1)) >= 0) {
          capitals += (capitals.empty() ? "" : ", ") + std::string(1, capital);
        }
      }
    }
    const bool one = missing.size() == 1;
    std::string hint =
        capitals.empty()
            ? "Morse has codes for A to Z, 0 to 9, \xC0 \xC5 \xC4 \xC8 \xC9 \xD6 \xDC \xDF \xD1 "
              "and . , : ; ? - ( ) = + / @"
            : std::string("a small accented letter has no code of its own: write ") +
                  (capitals.find(',') == std::string::npos ? "the capital " : "the capitals ") +
                  capitals;
    notices.push_back({TextNotice::Kind::kWarning,
                       named + (one ? " has no Morse code and is left out"
                                    : " have no Morse code and are left out"),
                       std::move(hint)});
  }
  if (signs > 0) {
    std::string letters, codes;
    for (char c : first_sign) {
      letters += (letters.empty() ? "" : first_sign.size() == 2 ? " and " : ", ");
      letters += c;
      const char one[1] = {c};
      codes += (codes.empty() ? "" : " ") +
               std::string(kMorseTable[MorseFindPlain(std::string_view(one, 1))].code);
    }
    std::string message = first_sign + " in " + first_word + " is sent as the procedure sign " +
                          kMorseTable[MorseFindPlain(first_sign)].code + ", not as the letters " +
                          letters;
    if (signs > 1) message += " (and " + std::to_string(signs - 1) + " more in this text)";
    notices.push_back(
        {TextNotice::Kind::kNote, std::move(message),
         "KA, BT, AR, VE, SK, SOS and HH are sent as one sign wherever they stand; the letters "
         "alone would be " +
             codes});
  }
  return notices;
}

namespace {

// The word gap as puzzles write it between the codes of two words.
bool IsGapMark(char c) {
  return c == '/' || c == '|';
}

bool IsSeparator(char c) {
  return c == ' ' || IsGapMark(c);
}

// The gap marks in the run of blanks and marks from i on; *end is where the
// run ends.
int GapMarks(std::string_view text, size_t i, size_t* end) {
  int marks = 0;
  for (; i < text.size() && IsSeparator(text[i]); ++i) marks += IsGapMark(text[i]) ? 1 : 0;
  *end = i;
  return marks;
}

void WriteBlanks(TextSink& out, int n) {
  for (; n > 0; --n) out.Write(" ");
}

}  // namespace

// Groups end at a blank, a slash or a bar. A run of blanks with a slash or
// bar in it is a word gap: each mark writes one blank and the blanks around
// the marks count for nothing. Where there is no mark, the blanks are read
// as they always were: one ends the group, each further one writes a blank.
void MorseDecode(TextSink& out, std::string_view text, bool debug) {
  if (debug) {
    out.Write(text);
    out.Write("\n");
  }
  size_t i = 0;
  {
    size_t end;
    const int marks = GapMarks(text, 0, &end);
    if (marks > 0) {
      WriteBlanks(out, marks);
      i = end;
      if (i == text.size()) return;
    }
  }
  for (;;) {
    size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    std::string_view group = text.substr(start, i - start);

    int row = MorseFindCode(group);  // no code is longer than nine
    if (row < 0) {
      out.Write(">");
      out.Write(group);
      out.Write("<");
    } else {
      if (debug) out.Write(group);
      out.Write(kMorseTable[row].plain);
    }

    size_t end;
    const int marks = GapMarks(text, i, &end);
    if (marks > 0) {
      WriteBlanks(out, marks);
      i = end;
      if (i == text.size()) break;
      continue;
    }
    if (i == text.size()) break;
    ++i;  // the one blank that ended the group
    for (; i < text.size() && text[i] == ' '; ++i) out.Write(" ");
  }
}

}  // namespace orbelin
