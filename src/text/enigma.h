// The Enigma machine simulator: up to six wheels from the wheel table, a
// plugboard, the stepping with its double step, and the texts it prints.
//
// Place 0 is the reflector, place count - 1 the entry wheel, the places
// between are the rotors from the slowest (1) to the fastest (count - 2).
// Letters are counted from A = 0 throughout.
#pragma once

#include <string>
#include <string_view>

#include "base/text_sink.h"

namespace orbelin {

struct EnigmaPlace {
  int wheel = 0;        // index into kEnigmaWheels
  int ring_offset = 0;  // (26 - ring letter) mod 26 at set-up; moves with each step
  int start = 0;        // window letter at set-up
  int position = 0;     // window letter now
};

struct EnigmaMachine {
  static constexpr int kMaxWheels = 6;
  static constexpr int kPlaces = 7;
  // The plugboard holds 127 bytes; of a longer text the first 126 count.
  static constexpr size_t kMaxPlugs = 126;

  int count = 0;  // wheels in use, 0 to 6
  EnigmaPlace places[kPlaces];
  std::string plugs;  // the plugboard text as typed, upper-cased, for the set-up table
  std::string pairs;  // the letter pairs it swaps, two by two (PlugPairs)

  // (ring offset + start) mod 26, which equals (position - ring letter) mod 26.
  int WorkingOffset(int place) const {
    return (places[place].ring_offset + places[place].start) % 26;
  }
};

// What a set-up came to: done, or the first fault found, checked in this
// order.
enum class EnigmaSetup {
  kDone,
  kTooManyWheels,    // more than six wheel letters
  kRingsNotAsLong,   // not one ring letter per wheel
  kOddPlugs,         // the plug characters, blanks aside, do not come in pairs
  kBadWheelLetter,   // a wheel letter not in A..V
  kBadRingLetter,    // a ring letter not in A..Z
  kBadWindowLetter,  // a window letter not in A..Z, or missing
};

// Sets the machine up from the wheel letters (A..V, reflector first), the ring
// letters and the window letters (A..Z) and the plug pairs; a..z count as
// A..Z. The first three faults leave the machine as it was. From a bad wheel
// letter on, the new plugboard and wheel count are already in place, and so
// are the entries of the places before the failing letter; the rest keep
// their earlier values.
// The plugboard text is stored (and shown) as typed; blanks separate its
// pairs. Pairs that hold a byte other than a letter swap nothing, so every
// letter stays a letter inside the machine.
EnigmaSetup EnigmaInit(EnigmaMachine& m, std::string_view wheels, std::string_view rings,
                       std::string_view positions, std::string_view plugs);

// Moves the rotors for one key press: the fastest always, the next slower
// one and the one at its turnover letter together (the double step).
void WheelStep(EnigmaMachine& m);

// The letter after the plugboard: the partner of its last pair, or itself.
int PlugLookup(const EnigmaMachine& m, int letter);

// Enciphers the ASCII letters of the text, keeping their case; every other
// byte passes unchanged and moves no wheel. The machine keeps its positions
// for the next text.
std::string EnigmaRun(EnigmaMachine& m, std::string_view text);

// The table printed after a successful set-up.
void WriteEnigmaSetup(TextSink& out, const EnigmaMachine& m);
// "Engima Stellung: " and the window letters of all places, then a line end.
void WriteEnigmaPositions(TextSink& out, const EnigmaMachine& m);
// The help text with the table of wheels.
void WriteEnigmaInfo(TextSink& out);

}  // namespace orbelin
