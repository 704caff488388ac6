#include "text/morse.h"

#include <algorithm>

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

void MorseEncode(TextSink& out, std::string_view text, bool debug) {
  size_t i = 0;
  while (i < text.size()) {
    char chunk[3];
    size_t len = std::min<size_t>(3, text.size() - i);
    for (size_t k = 0; k < len; ++k) {
      chunk[k] = FoldAscii(text[i + k]);
    }
    // The longest plain text that matches wins: "SOS" before "S".
    int row = -1;
    for (; len > 0; --len) {
      row = MorseFindPlain(std::string_view(chunk, len));
      if (row >= 0) break;
    }
    if (row < 0) {
      ++i;
      continue;
    }
    if (debug) out.Write(std::string_view(chunk, len));
    out.Write(kMorseTable[row].code);
    out.Write(" ");
    i += len;
  }
}

void MorseDecode(TextSink& out, std::string_view text, bool debug) {
  if (debug) {
    out.Write(text);
    out.Write("\n");
  }
  size_t i = 0;
  for (;;) {
    size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    std::string_view group = text.substr(start, i - start);
    bool last = i == text.size();
    if (!last) ++i;  // the one blank that ended the group

    int row = MorseFindCode(group);  // no code is longer than nine
    if (row < 0) {
      out.Write(">");
      out.Write(group);
      out.Write("<");
    } else {
      if (debug) out.Write(group);
      out.Write(kMorseTable[row].plain);
    }
    if (last) break;
    for (; i < text.size() && text[i] == ' '; ++i) out.Write(" ");
  }
}

}  // namespace orbelin
