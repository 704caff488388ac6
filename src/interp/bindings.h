// The bindings: each turns a library call's arguments into a call of the
// library that does the work, and stores or writes what it gives. The
// catalogue (terminal_table.h) names which keyword runs which binding.
//
// Arguments arrive in script order by kind: the i-th numeric argument is
// a.num[i], the i-th string a.str[i], the i-th output variable a.var[i].
#pragma once

#include "interp/library_call.h"

namespace orbelin {

// Mathematics (math_bindings.cpp).
double FnCos(Runtime& rt, const CallArgs& a);
double FnAcos(Runtime& rt, const CallArgs& a);
double FnSin(Runtime& rt, const CallArgs& a);
double FnAsin(Runtime& rt, const CallArgs& a);
double FnTan(Runtime& rt, const CallArgs& a);
double FnTanh(Runtime& rt, const CallArgs& a);
double FnAtan(Runtime& rt, const CallArgs& a);
double FnAtan2(Runtime& rt, const CallArgs& a);  // ATAN2(y, x)
double FnCeil(Runtime& rt, const CallArgs& a);
double FnExp(Runtime& rt, const CallArgs& a);
double FnFabs(Runtime& rt, const CallArgs& a);
double FnFloor(Runtime& rt, const CallArgs& a);
double FnFmod(Runtime& rt, const CallArgs& a);  // FMOD(x, y)
double FnPow(Runtime& rt, const CallArgs& a);   // POW(x, y)
double FnSqrt(Runtime& rt, const CallArgs& a);
double FnOrd(Runtime& rt, const CallArgs& a);  // ORD(s): first byte, signed

// Coordinate output items, CHAR and the digit sums of what WGC writes
// (coord_bindings.cpp).
void ItemWlat(Runtime& rt, const CallArgs& a);  // WLAT(lat)
void ItemWlon(Runtime& rt, const CallArgs& a);  // WLON(lon)
void ItemWgps(Runtime& rt, const CallArgs& a);  // WGPS(lat, lon)
void ItemWgk(Runtime& rt, const CallArgs& a);   // WGK(h, r): Hochwert first
void ItemWutm(Runtime& rt, const CallArgs& a);  // WUTM(zone, band, easting, northing)
void ItemWgc(Runtime& rt, const CallArgs& a);   // WGC(lat, lon): "N 48° 12.345 E 011° 30.500"
void ItemWdms(Runtime& rt, const CallArgs& a);  // WDMS(lat, lon): "N 48° 12' 20.7\" ..."
void ItemChar(Runtime& rt, const CallArgs& a);  // CHAR(code)
// Whether h is one of the items above, which do nothing but write their
// text: a run whose text nobody reads may leave them out.
bool OnlyWritesText(StatementHandler h);
// The digit sum of what WGC writes: of a point, of one coordinate.
double FnWgcqsum(Runtime& rt, const CallArgs& a);  // WGCQSUM(lat, lon)
double FnKqsumgc(Runtime& rt, const CallArgs& a);  // KQSUMGC(x)

// A formula final as written, "N 48\xB0 1A.BCD E 011\xB0 3E.FGH", with the
// variables' values (final_bindings.cpp).
void HandleFinal2Gps(Runtime& rt, const CallArgs& a);  // FINAL2GPS('pattern', LAT, LON)
double FnFinalqsum(Runtime& rt, const CallArgs& a);    // FINALQSUM('pattern')
// Whether a call reads the script's variables by the names in its text,
// beside its arguments: its result may change with any value tried.
bool ReadsVariables(StatementHandler h);
bool ReadsVariables(FunctionHandler h);

// Geodesy (geodesy_bindings.cpp).
void HandleGps2Utm(Runtime& rt, const CallArgs& a);   // GPS2UTM(lat, lon, Z, B, E, N)
void HandleUtm2Gps(Runtime& rt, const CallArgs& a);   // UTM2GPS(zone, band, e, n, LAT, LON)
void HandleCp(Runtime& rt, const CallArgs& a);        // CP(lat1, lon1, lat2, lon2, S, A)
void HandleCbp(Runtime& rt, const CallArgs& a);       // CBP(lat, lon, az, dist, LAT, LON)
void HandleGps2Gk(Runtime& rt, const CallArgs& a);    // GPS2GK(lat, lon, strip, R, H)
void HandleGk2Gps(Runtime& rt, const CallArgs& a);    // GK2GPS(R, H, LAT, LON)
void HandleGps2Dhdn(Runtime& rt, const CallArgs& a);  // GPS2DHDN(lat, lon, strip, R, H)
void HandleDhdn2Gps(Runtime& rt, const CallArgs& a);  // DHDN2GPS(R, H, LAT, LON)
double FnGmmmm(Runtime& rt, const CallArgs& a);
double FnBearingUtm(Runtime& rt, const CallArgs& a);
double FnDistUtm(Runtime& rt, const CallArgs& a);
double FnDistVincenty(Runtime& rt, const CallArgs& a);
double FnProjUtmLat(Runtime& rt, const CallArgs& a);
double FnProjUtmLon(Runtime& rt, const CallArgs& a);
double FnMkz(Runtime& rt, const CallArgs& a);
double FnTorad(Runtime& rt, const CallArgs& a);
double FnTodeg(Runtime& rt, const CallArgs& a);

// The constructions, in the Gauss-Krueger plane and exact on WGS 84
// (construction_bindings.cpp).
void HandleCenter(Runtime& rt, const CallArgs& a);        // CENTER(3 points, LAT, LON)
void HandleKreuzpeilung(Runtime& rt, const CallArgs& a);  // KREUZPEILUNG(2 x lat, lon, bearing,
                                                          //   LAT, LON)
void HandleBogenschnitt(Runtime& rt, const CallArgs& a);  // BOGENSCHNITT(2 points, r1, r2,
                                                          //   LATA, LONA, LATB, LONB)
void HandleCenterExact(Runtime& rt, const CallArgs& a);   // CENTEREXACT(as CENTER)
void HandleKreuzpeilungExact(Runtime& rt, const CallArgs& a);  // KREUZPEILUNGEXACT(as
                                                               //   KREUZPEILUNG)
void HandleBogenschnittExact(Runtime& rt, const CallArgs& a);  // BOGENSCHNITTEXACT(as
                                                               //   BOGENSCHNITT)

// Grids: MGRS and the national grids (grid_bindings.cpp).
void HandleGps2Mgrs(Runtime& rt, const CallArgs& a);     // GPS2MGRS(lat, lon, Z, B, E, N)
void HandleMgrs2Gps(Runtime& rt, const CallArgs& a);     // MGRS2GPS('32U MV 12345 67890', LAT, LON)
void ItemWmgrs(Runtime& rt, const CallArgs& a);          // WMGRS(zone, band, e, n[:digits])
void HandleGps2Lv95(Runtime& rt, const CallArgs& a);     // GPS2LV95(lat, lon, E, N)
void HandleLv952Gps(Runtime& rt, const CallArgs& a);     // LV952GPS(e, n, LAT, LON)
void ItemWlv95(Runtime& rt, const CallArgs& a);          // WLV95(e, n)
void HandleGps2Lv03(Runtime& rt, const CallArgs& a);     // GPS2LV03(lat, lon, Y, X)
void HandleLv032Gps(Runtime& rt, const CallArgs& a);     // LV032GPS(y, x, LAT, LON)
void ItemWlv03(Runtime& rt, const CallArgs& a);          // WLV03(y, x)
void HandleGps2Osgb(Runtime& rt, const CallArgs& a);     // GPS2OSGB(lat, lon, E, N)
void HandleOsgb2Gps(Runtime& rt, const CallArgs& a);     // OSGB2GPS(e, n, LAT, LON)
void ItemWosgb(Runtime& rt, const CallArgs& a);          // WOSGB(e, n[:digits])
void HandleOsgbRef2Gps(Runtime& rt, const CallArgs& a);  // OSGBREF2GPS('TQ 30080 80900', LAT, LON)
void HandleGps2Rd(Runtime& rt, const CallArgs& a);       // GPS2RD(lat, lon, X, Y)
void HandleRd2Gps(Runtime& rt, const CallArgs& a);       // RD2GPS(x, y, LAT, LON)
void ItemWrd(Runtime& rt, const CallArgs& a);            // WRD(x, y)
void HandleGps2Mgi(Runtime& rt, const CallArgs& a);      // GPS2MGI(lat, lon, meridian, Y, X)
void HandleMgi2Gps(Runtime& rt, const CallArgs& a);      // MGI2GPS(y, x, LAT, LON)
void ItemWmgi(Runtime& rt, const CallArgs& a);           // WMGI(y, x)
void HandleGps2Lambert(Runtime& rt, const CallArgs& a);  // GPS2LAMBERT(lat, lon, Y, X)
void HandleLambert2Gps(Runtime& rt, const CallArgs& a);  // LAMBERT2GPS(y, x, LAT, LON)
void ItemWlambert(Runtime& rt, const CallArgs& a);       // WLAMBERT(y, x)

// Location codes (code_bindings.cpp).
void ItemWloc(Runtime& rt, const CallArgs& a);            // WLOC(lat, lon[:length])
void HandleLoc2Gps(Runtime& rt, const CallArgs& a);       // LOC2GPS('JN58td', LAT, LON)
void ItemWgeohash(Runtime& rt, const CallArgs& a);        // WGEOHASH(lat, lon[:length])
void HandleGeohash2Gps(Runtime& rt, const CallArgs& a);   // GEOHASH2GPS('u4pruydqqvj', LAT, LON)
void ItemWplus(Runtime& rt, const CallArgs& a);           // WPLUS(lat, lon[:digits])
void HandlePlus2Gps(Runtime& rt, const CallArgs& a);      // PLUS2GPS('8FVC9G8F+6X', LAT, LON)
void HandlePlusNear2Gps(Runtime& rt, const CallArgs& a);  // PLUSNEAR2GPS('9G8F+6X', lat, lon,
                                                          //   LAT, LON)

// Letter values, ciphers, Morse, Enigma (text_bindings.cpp).
double FnQsum(Runtime& rt, const CallArgs& a);
double FnQqsum(Runtime& rt, const CallArgs& a);
double FnKqsum(Runtime& rt, const CallArgs& a);
double FnAlpha(Runtime& rt, const CallArgs& a);
double FnSumrom(Runtime& rt, const CallArgs& a);
double FnSumkas(Runtime& rt, const CallArgs& a);
double FnSumjen(Runtime& rt, const CallArgs& a);
double FnSummer(Runtime& rt, const CallArgs& a);
double FnSumkah(Runtime& rt, const CallArgs& a);
double FnSummey(Runtime& rt, const CallArgs& a);
double FnSumker(Runtime& rt, const CallArgs& a);
double FnSumdev(Runtime& rt, const CallArgs& a);
double FnSumeyr(Runtime& rt, const CallArgs& a);
void HandleVigi(Runtime& rt, const CallArgs& a);        // VIGI(key)
void HandleSubstri(Runtime& rt, const CallArgs& a);     // SUBSTRI(key)
void HandleTransi(Runtime& rt, const CallArgs& a);      // TRANSI(alphabet)
void ItemRot13(Runtime& rt, const CallArgs& a);         // ROT13(text[:shift])
void ItemVige(Runtime& rt, const CallArgs& a);          // VIGE(text)
void ItemVigd(Runtime& rt, const CallArgs& a);          // VIGD(text)
void ItemSubstr(Runtime& rt, const CallArgs& a);        // SUBSTR(text)
void ItemTransr(Runtime& rt, const CallArgs& a);        // TRANSR(text)
void ItemTrans(Runtime& rt, const CallArgs& a);         // TRANS(text)
void ItemMorse(Runtime& rt, const CallArgs& a);         // MORSE(text)
void ItemEsrom(Runtime& rt, const CallArgs& a);         // ESROM(code)
void HandleEnigmaInit(Runtime& rt, const CallArgs& a);  // ENIGMAINIT(wheels, rings, windows, plugs)
void HandleEnigmaRun(Runtime& rt, const CallArgs& a);   // ENIGMARUN(text)
void HandleEnigmaInfo(Runtime& rt, const CallArgs& a);  // ENIGMAINFO
void HandleEnigmaWheels(Runtime& rt, const CallArgs& a);  // ENIGMAWHEELS

// The linear solver (lin3_binding.cpp).
void HandleLin3(Runtime& rt, const CallArgs& a);  // LIN3(a1, b1, c1, d1, ..., d3, X, Y, Z)

// The puzzle toolbox (puzzle_bindings.cpp).
double FnAzsum(Runtime& rt, const CallArgs& a);         // AZSUM('text'): A = 1 ... Z = 26
double FnZasum(Runtime& rt, const CallArgs& a);         // ZASUM('text'): Z = 1 ... A = 26
void ItemAztext(Runtime& rt, const CallArgs& a);        // AZTEXT('8 5 12 12 15')
void ItemCaesar(Runtime& rt, const CallArgs& a);        // CAESAR('text', shift)
void ItemCaesarAll(Runtime& rt, const CallArgs& a);     // CAESARALL('text'): the 25 shifts
void ItemAtbash(Runtime& rt, const CallArgs& a);        // ATBASH('text')
double FnRom2Num(Runtime& rt, const CallArgs& a);       // ROM2NUM('MCMXCIV')
void ItemNum2Rom(Runtime& rt, const CallArgs& a);       // NUM2ROM(n)
double FnBase2Num(Runtime& rt, const CallArgs& a);      // BASE2NUM('1A3F', base)
void ItemNum2Base(Runtime& rt, const CallArgs& a);      // NUM2BASE(n, base)
void ItemText2Codes(Runtime& rt, const CallArgs& a);    // TEXT2CODES('text', base)
void ItemCodes2Text(Runtime& rt, const CallArgs& a);    // CODES2TEXT('72 105', base)
double FnNthPrime(Runtime& rt, const CallArgs& a);      // NTHPRIME(n)
double FnIsPrime(Runtime& rt, const CallArgs& a);       // ISPRIME(n): 1 or 0
void ItemPrimeFactors(Runtime& rt, const CallArgs& a);  // PRIMEFACTORS(n): 2^3 * 3^2 * 5
double FnWeekday(Runtime& rt, const CallArgs& a);       // WEEKDAY(y, m, d): 1 Monday ... 7
double FnDaysBetween(Runtime& rt, const CallArgs& a);   // DAYSBETWEEN(y1, m1, d1, y2, m2, d2)
void HandleDatePlus(Runtime& rt, const CallArgs& a);    // DATEPLUS(y, m, d, days, Y, M, D)
void ItemWdate(Runtime& rt, const CallArgs& a);         // WDATE(y, m, d): Friday 2024-03-15
void ItemPolye(Runtime& rt, const CallArgs& a);  // POLYE('text', 'key'): '' for the plain square
void ItemPolyd(Runtime& rt, const CallArgs& a);  // POLYD('23 15 31', 'key')
void ItemPlayfaire(Runtime& rt, const CallArgs& a);  // PLAYFAIRE('text', 'key')
void ItemPlayfaird(Runtime& rt, const CallArgs& a);  // PLAYFAIRD('BM OD ZB', 'key')
void ItemBacone(Runtime& rt, const CallArgs& a);     // BACONE('text', 24 or 26)
void ItemBacond(Runtime& rt, const CallArgs& a);     // BACOND('AABBB AABAA', 24 or 26)
void ItemRaile(Runtime& rt, const CallArgs& a);      // RAILE('text', rails)
void ItemRaild(Runtime& rt, const CallArgs& a);      // RAILD('text', rails)
void ItemText2Taps(Runtime& rt, const CallArgs& a);  // TEXT2TAPS('HELLO'): 44 33 555 555 666
void ItemTaps2Text(Runtime& rt, const CallArgs& a);  // TAPS2TEXT('44 33 555 555 666')
void ItemText2Keys(Runtime& rt, const CallArgs& a);  // TEXT2KEYS('HELLO'): 43556

}  // namespace orbelin
