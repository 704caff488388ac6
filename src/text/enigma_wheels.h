// The 22 wheels the Enigma simulator can put in any place, lettered A to V.
// A wheel's role (reflector, rotor, entry wheel) comes from its place in the
// set-up, not from this table.
#pragma once

namespace orbelin {

struct EnigmaWheel {
  const char* name;      // Windows-1252, as the set-up table and help text show it
  const char* wiring;    // input letter i leaves as wiring[i]
  const char* turnover;  // window letters at which the next slower wheel moves
};

inline constexpr int kEnigmaWheelCount = 22;
extern const EnigmaWheel kEnigmaWheels[kEnigmaWheelCount];

}  // namespace orbelin
