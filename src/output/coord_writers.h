// Writers of one coordinate in a fixed notation: degrees and decimal minutes
// with a hemisphere letter, Gauss-Krueger Hochwert and Rechtswert, and UTM
// zone, band and hemisphere letters. They format what they are given, check
// no range, and add no separator or line end.
#pragma once

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

}  // namespace orbelin
