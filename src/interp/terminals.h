// The terminals of the script language. Their numbers are fixed: the
// "expected" diagnostics are numbered by them, and the dispatch tables of the
// parser and the catalogue are ordered by them.
#pragma once

#include <string_view>

namespace orbelin {

enum Tok : int {
  kEof = 0, kIdent = 1, kNumber = 2, kString = 3, kVar = 4, kComma = 5,
  kSemicolon = 6, kWrite = 7, kArrow = 8, kMorse = 9, kLParen = 10,
  kRParen = 11, kEsrom = 12, kWlat = 13, kWlon = 14, kWgps = 15, kWgk = 16,
  kWutm = 17, kChar = 18, kVige = 19, kVigd = 20, kTrans = 21, kTransr = 22,
  kSubstr = 23, kRot13 = 24, kColon = 25, kOlon = 26, kEquals = 27,
  kOlat = 28, kDebug = 29, kMargin = 30, kLin3 = 31, kGps2Utm = 32,
  kUtm2Gps = 33, kCp = 34, kCbp = 35, kGps2Gk = 36, kGk2Gps = 37,
  kCenter = 38, kKreuzpeilung = 39, kBogenschnitt = 40, kVigi = 41,
  kTransi = 42, kSubstri = 43, kEnigmaInit = 44, kEnigmaRun = 45,
  kEnigmaInfo = 46, kEnigmaWheels = 47, kPlus = 48, kMinus = 49, kStar = 50,
  kSlash = 51, kCaret = 52, kBar = 53, kPi = 54, kDegE = 55, kDegN = 56,
  kDegW = 57, kDegS = 58, kCos = 59, kAcos = 60, kSin = 61, kAsin = 62,
  kTan = 63, kTanh = 64, kAtan = 65, kAtan2 = 66, kCeil = 67, kExp = 68,
  kFabs = 69, kFloor = 70, kFmod = 71, kPow = 72, kSqrt = 73, kGmmmm = 74,
  kBearingUtm = 75, kDistUtm = 76, kDistVincenty = 77, kProjUtmLat = 78,
  kProjUtmLon = 79, kMkz = 80, kQsum = 81, kQqsum = 82, kKqsum = 83,
  kTorad = 84, kTodeg = 85, kOrd = 86, kAlpha = 87, kSumrom = 88,
  kSumkas = 89, kSumjen = 90, kSummer = 91, kSumkah = 92, kSummey = 93,
  kSumker = 94, kSumdev = 95, kSumeyr = 96, kNoSym = 97,
};

constexpr int kTerminalCount = 98;

// The text of terminal t as the script writes it (keywords in capitals,
// the degree sign as byte 0xB0); empty for 0 to 3 and 97.
std::string_view TerminalText(int t);

}  // namespace orbelin
