#include "text/enigma.h"

#include <cstring>

#include "text/enigma_wheels.h"

namespace orbelin {

namespace {

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
bool IsCapital(char c) {
  return c >= 'A' && c <= 'Z';
}
int Mod26(int n) {
  return ((n % 26) + 26) % 26;
}

// The letter index of character i of a text, or -1 when it is not in A..last
// (a missing character counts as not in range).
int LetterAt(std::string_view text, size_t i, char last) {
  if (i >= text.size()) return -1;
  char c = Upper(text[i]);
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

int EnigmaInit(EnigmaMachine& m, std::string_view wheels, std::string_view rings,
               std::string_view positions, std::string_view plugs) {
  if (wheels.size() > EnigmaMachine::kMaxWheels) return 114;
  if (rings.size() != wheels.size()) return 115;
  if (plugs.size() % 2 != 0) return 116;

  m.plugs.assign(plugs.substr(0, EnigmaMachine::kMaxPlugs));
  for (char& c : m.plugs) c = Upper(c);
  m.count = static_cast<int>(wheels.size());

  for (int i = 0; i < m.count; ++i) {
    int wheel = LetterAt(wheels, i, 'A' + kEnigmaWheelCount - 1);
    if (wheel < 0) return 117;
    m.places[i].wheel = wheel;
  }
  for (int i = 0; i < m.count; ++i) {
    int ring = LetterAt(rings, i, 'Z');
    if (ring < 0) return 118;
    m.places[i].ring_offset = (26 - ring) % 26;
  }
  // The window letters are not checked for length: a short text fails at its
  // end, extra letters are ignored.
  for (int i = 0; i < m.count; ++i) {
    int start = LetterAt(positions, i, 'Z');
    if (start < 0) return 119;
    m.places[i].start = start;
    m.places[i].position = start;
  }
  return 0;
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
  for (size_t k = 0; k + 1 < m.plugs.size(); k += 2) {
    char a = m.plugs[k], b = m.plugs[k + 1];
    if (!IsCapital(a) || !IsCapital(b)) continue;
    if (a == c) result = b;
    if (b == c) result = a;
  }
  return result - 'A';
}

std::string EnigmaRun(EnigmaMachine& m, std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    bool small = c >= 'a' && c <= 'z';
    if (!small && !IsCapital(c)) continue;
    WheelStep(m);
    int x = PlugLookup(m, Upper(c) - 'A');
    for (int i = m.count - 1; i >= 0; --i) x = Forward(m, i, x);
    for (int i = 1; i < m.count; ++i) x = Backward(m, i, x);
    x = PlugLookup(m, x);
    c = static_cast<char>((small ? 'a' : 'A') + x);
  }
  return out;
}

}  // namespace orbelin
