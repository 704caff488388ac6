#include "interp/terminals.h"

namespace orbelin {

namespace {
constexpr std::string_view kTexts[kTerminalCount] = {
    "", "", "", "", "VAR", ",", ";", "WRITE", "->", "MORSE",
    "(", ")", "ESROM", "WLAT", "WLON", "WGPS", "WGK", "WUTM", "CHAR", "VIGE",
    "VIGD", "TRANS", "TRANSR", "SUBSTR", "ROT13", ":", "OLON", "=", "OLAT", "DEBUG",
    "MARGIN", "LIN3", "GPS2UTM", "UTM2GPS", "CP", "CBP", "GPS2GK", "GK2GPS", "CENTER",
    "KREUZPEILUNG", "BOGENSCHNITT", "VIGI", "TRANSI", "SUBSTRI", "ENIGMAINIT",
    "ENIGMARUN", "ENIGMAINFO", "ENIGMAWHEELS", "+", "-", "*", "/", "^", "|", "PI",
    "\xB0" "E", "\xB0" "N", "\xB0" "W", "\xB0" "S", "COS", "ACOS", "SIN", "ASIN", "TAN",
    "TANH", "ATAN", "ATAN2", "CEIL", "EXP", "FABS", "FLOOR", "FMOD", "POW", "SQRT",
    "GMMMM", "BEARINGUTM", "DISTUTM", "DISTVINCENTY", "PROJUTMLAT", "PROJUTMLON", "MKZ",
    "QSUM", "QQSUM", "KQSUM", "TORAD", "TODEG", "ORD", "ALPHA", "SUMROM", "SUMKAS",
    "SUMJEN", "SUMMER", "SUMKAH", "SUMMEY", "SUMKER", "SUMDEV", "SUMEYR", "",
};
}  // namespace

std::string_view TerminalText(int t) {
  if (t < 0 || t >= kTerminalCount) return {};
  return kTexts[t];
}

}  // namespace orbelin
