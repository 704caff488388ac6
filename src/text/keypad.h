// The phone keypad of ITU-T E.161: 2 ABC, 3 DEF, 4 GHI, 5 JKL, 6 MNO,
// 7 PQRS, 8 TUV, 9 WXYZ. Multi-tap writes a letter as its key pressed once
// for the first letter, twice for the second and so on (H is 44); 0 is the
// blank between words.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// Each letter as its taps, apart by blanks; a blank as 0. Every other
// character is left out.
std::string TextToTaps(std::string_view text);

// Each letter as its key, every other character as it is: phone words
// ("1-800-FLOWERS" is 1-800-3569377).
std::string TextToKeys(std::string_view text);

// Taps back to capitals. Taps stand apart by blanks, commas, hyphens or
// full stops, and a run of different keys splits where the key changes
// ("4433" is HE); each 0, slash or bar writes a blank. Either the text or
// what is wrong: a key pressed more often than it has letters, the key 1,
// or a character that is no key.
struct TapsReading {
  std::string text;
  std::string error;  // "" when the taps were read
};
TapsReading TapsToText(std::string_view taps);

}  // namespace orbelin
