// A latitude or longitude as cache pages and GPS receivers write it, read
// as one literal: the hemisphere letter first, then degrees with the degree
// sign, then minutes, or minutes and seconds, or nothing (decimal degrees):
//
//   N 48° 12.345     N48°12.345     n 48° 12' 20.7"     N 48.20575°
//
// Blanks (or no-break spaces, as copied from web pages) may follow the
// letter, the degree sign and the minute mark. The text is Windows-1252 (the
// degree sign is 0xB0); letters in either case.
//
// Before the degree sign nothing is decided: "N 48" without it is the name N
// and the number 48, as it always was. From the degree sign on the text is
// meant as a coordinate, so a fault after it (minutes of 60, a second degree
// sign) makes the whole of it one faulty token instead of a value that is
// plainly wrong.
#pragma once

#include <cstddef>
#include <string_view>

namespace orbelin {

struct PastedCoordinate {
  enum class Kind {
    kNone,       // no coordinate starts here
    kValue,      // a coordinate of `length` bytes with `value`
    kMalformed,  // `length` bytes meant as a coordinate; `fault` says why it is none
  };
  Kind kind = Kind::kNone;
  size_t length = 0;
  // Decimal degrees, negative for S and W: (degrees + minutes / 60) times the
  // sign, as the °N form computes it; seconds add seconds / 60 to the minutes.
  double value = 0.0;
  char hemisphere = 0;     // N, S, E or W (folded)
  const char* fault = "";  // kMalformed: in plain English
};

// Reads the coordinate that starts at text[position], if one does. Only the
// bytes before `text.size()` are read.
PastedCoordinate ReadPastedCoordinate(std::string_view text, size_t position);

}  // namespace orbelin
