// Writers of one coordinate in a fixed notation: degrees and decimal minutes
// with a hemisphere letter, Gauss-Krueger Hochwert and Rechtswert, and UTM
// zone, band and hemisphere letters. They format what they are given, check
// no range, and add no separator or line end.
#pragma once

#include <string>

namespace orbelin {

class TextSink;

// "N 52 30.0000": letter, whole degrees, minutes with four decimals.
void WriteLat(TextSink& out, double lat);
// "E 13 15.0000", W for negative values.
void WriteLon(TextSink& out, double lon);
// "GPS: " WriteLat " " WriteLon.
void WriteGPS(TextSink& out, double lat, double lon);
// "GK : H %.0f R %.0f", Hochwert first.
void WriteGK(TextSink& out, double h, double r);
// "UTM: 33U E 389000 N 5820000"; zone truncated, band as a character code.
void WriteUTM(TextSink& out, double zone, double band, double easting, double northing);

// The forms GPS receivers and cache pages take, in Windows-1252 (the degree
// sign is 0xB0). The latitude's degrees have two digits, the longitude's
// three; minutes and seconds two. Each half is rounded once, to its last
// digit, and what reaches 60 is carried into the next unit, so they never
// show 60. A half that rounds to zero takes N or E. Values beyond a place on
// the Earth are written as they come; an infinity or NaN as "N inf°".
//
// "N 48° 12.345 E 011° 30.500": minutes to thousandths.
std::string GeocacheText(double lat, double lon);
// "N 48° 12.345" and "E 011° 30.500": the two halves of GeocacheText.
std::string GeocacheLatText(double lat);
std::string GeocacheLonText(double lon);
// "N 48° 12' 20.7\" E 011° 30' 30.0\"": seconds to tenths.
std::string DmsText(double lat, double lon);
void WriteGC(TextSink& out, double lat, double lon);
void WriteDMS(TextSink& out, double lat, double lon);

}  // namespace orbelin
