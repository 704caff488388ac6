// The digit sum of a point as GPS receivers and cache pages show it, the
// checksum that cache pages offer for a final: "N 48° 12.178 E 011° 34.523"
// adds up to 50. The digits are those WGC writes (minutes to thousandths,
// rounded once and carried, so N 48° 59.99996 is N 49° 00.000); the
// hemisphere letters and the leading zeros of the degrees add nothing.
#pragma once

namespace orbelin {

// The digits of WGC(lat, lon). NaN when either value is NaN or infinite:
// there is no point to sum.
double GeocacheDigitSum(double lat, double lon);
// The digits of one coordinate as WGC writes it, latitude or longitude
// alike: "N 48° 12.178" adds up to 31, "S 33° 51.345" to 29.
double GeocacheDigitSum(double coordinate);

}  // namespace orbelin
