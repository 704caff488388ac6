#include "text/enigma.h"

#include <cstring>

#include "base/ascii.h"
#include "text/enigma_wheels.h"
#include "text/letter_index.h"
#include "text/plugboard.h"

namespace orbelin {

namespace {

// The letter index of character i of a text, or -1 when it is not in A..last
// (a missing character counts as not in range).
int LetterAt(std::string_view text, size_t i, char last) {
  if (i >= text.size()) return -1;
  const char c = FoldAscii(text[i]);
  return (c >= 'A' && c <= last) ? c - 'A' : -1;
}

int Forward(const EnigmaMachine& m, int place, int x) {
  int o = m.WorkingOffset(place);
  int y = kEnigmaWheels[m.places[place].wheel].wiring[(x + o) % 26] - 'A';
  return Mod26(y - o);
}

int Backward(const EnigmaMachine& m, int place, int x) {
  int o = m.WorkingOffset(place);
  char t = static_cast<char>('A' + (x + o) % 26);
  const char* wiring = kEnigmaWheels[m.places[place].wheel].wiring;
  int j = static_cast<int>(std::strchr(wiring, t) - wiring);  // every wiring holds all 26
  return Mod26(j - o);
}

}  // namespace

EnigmaSetup EnigmaInit(EnigmaMachine& m, std::string_view wheels, std::string_view rings,
                       std::string_view positions, std::string_view plugs) {
  if (wheels.size() > EnigmaMachine::kMaxWheels) return EnigmaSetup::kTooManyWheels;
  if (rings.size() != wheels.size()) return EnigmaSetup::kRingsNotAsLong;
  if (PlugCharacters(plugs) % 2 != 0) return EnigmaSetup::kOddPlugs;

  m.plugs.assign(plugs.substr(0, EnigmaMachine::kMaxPlugs));
  for (char& c : m.plugs) c = FoldAscii(c);
  m.pairs = PlugPairs(m.plugs);
  m.count = static_cast<int>(wheels.size());

  for (int i = 0; i < m.count; ++i) {
    int wheel = LetterAt(wheels, i, 'A' + kEnigmaWheelCount - 1);
    if (wheel < 0) return EnigmaSetup::kBadWheelLetter;
    m.places[i].wheel = wheel;
  }
  for (int i = 0; i < m.count; ++i) {
    int ring = LetterAt(rings, i, 'Z');
    if (ring < 0) return EnigmaSetup::kBadRingLetter;
    m.places[i].ring_offset = (26 - ring) % 26;
  }
  // The window letters are not checked for length: a short text fails at its
  // end, extra letters are ignored.
  for (int i = 0; i < m.count; ++i) {
    int start = LetterAt(positions, i, 'Z');
    if (start < 0) return EnigmaSetup::kBadWindowLetter;
    m.places[i].start = start;
    m.places[i].position = start;
  }
  return EnigmaSetup::kDone;
}

void WheelStep(EnigmaMachine& m) {
  int n = m.count;
  bool step[EnigmaMachine::kPlaces] = {};
  if (n >= 2) step[n - 2] = true;
  // A rotor at its turnover letter takes the next slower one along and moves
  // itself as well. The slowest rotor's own turnover is never looked at.
  for (int i = 2; i <= n - 2; ++i) {
    const EnigmaPlace& p = m.places[i];
    if (std::strchr(kEnigmaWheels[p.wheel].turnover, 'A' + p.position) != nullptr) {
      step[i - 1] = true;
      step[i] = true;
    }
  }
  for (int i = 1; i <= n - 2; ++i) {
    if (!step[i]) continue;
    m.places[i].ring_offset = (m.places[i].ring_offset + 1) % 26;
    m.places[i].position = (m.places[i].position + 1) % 26;
  }
}

int PlugLookup(const EnigmaMachine& m, int letter) {
  char c = static_cast<char>('A' + letter);
  char result = c;
  for (size_t k = 0; k + 1 < m.pairs.size(); k += 2) {
    char a = m.pairs[k], b = m.pairs[k + 1];
    if (a == c) result = b;
    if (b == c) result = a;
  }
  return result - 'A';
}

std::string EnigmaRun(EnigmaMachine& m, std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const bool small = IsAsciiLower(c);
    if (!IsAsciiLetter(c)) continue;
    WheelStep(m);
    int x = PlugLookup(m, FoldAscii(c) - 'A');
    for (int i = m.count - 1; i >= 0; --i) x = Forward(m, i, x);
    for (int i = 1; i < m.count; ++i) x = Backward(m, i, x);
    x = PlugLookup(m, x);
    c = static_cast<char>((small ? 'a' : 'A') + x);
  }
  return out;
}

}  // namespace orbelin
