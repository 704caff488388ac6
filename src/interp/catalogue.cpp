#include "interp/catalogue.h"

#include <cmath>

#include "geodesy/geodesy_handlers.h"
#include "interp/terminals.h"
#include "linalg/lin3.h"
#include "output/output_items.h"
#include "text/text_handlers.h"

namespace orbelin {

namespace {

// The code of the first byte as a signed 8-bit number; '' gives 0.
double Ord(Runtime&, const CallArgs& a) {
  return static_cast<double>(static_cast<signed char>(a.str[0].text[0]));
}

#define MATH1(fn) [](Runtime&, const CallArgs& a) { return std::fn(a.num[0]); }
#define MATH2(fn) [](Runtime&, const CallArgs& a) { return std::fn(a.num[0], a.num[1]); }

// Library statements, by terminal 31 to 47. A null handler parses the
// arguments and does nothing.
constexpr LibraryRow kStatements[] = {
    {kLin3, "NNNNNNNNNNNNVVV", HandleLin3},
    {kGps2Utm, "NNVVVV", HandleGps2Utm},
    {kUtm2Gps, "NNNNVV", HandleUtm2Gps},
    {kCp, "NNNNVV", HandleCp},
    {kCbp, "NNNNVV", HandleCbp},
    {kGps2Gk, "NNNVV", HandleGps2Gk},
    {kGk2Gps, "NNVV", HandleGk2Gps},
    {kCenter, "NNNNNNVV", HandleCenter},
    {kKreuzpeilung, "NNNNNNVV", HandleKreuzpeilung},
    {kBogenschnitt, "NNNNNNVVVV", HandleBogenschnitt},
    {kVigi, "S", HandleVigi},
    {kTransi, "S", HandleTransi},
    {kSubstri, "S", HandleSubstri},
    {kEnigmaInit, "SSSS", HandleEnigmaInit},
    {kEnigmaRun, "S", HandleEnigmaRun},
    {kEnigmaInfo, "", HandleEnigmaInfo, true},
    {kEnigmaWheels, "", HandleEnigmaWheels, true},
};

// Library output items, by terminal 9 and 12 to 24.
constexpr LibraryRow kItems[] = {
    {kMorse, "S", ItemMorse, false, true},
    {kEsrom, "S", ItemEsrom, false, true},
    {kWlat, "N", ItemWlat},
    {kWlon, "N", ItemWlon},
    {kWgps, "NN", ItemWgps},
    {kWgk, "NN", ItemWgk},
    {kWutm, "NNNN", ItemWutm},
    {kChar, "N", ItemChar},
    {kVige, "S", ItemVige, false, true},
    {kVigd, "S", ItemVigd, false, true},
    {kTrans, "S", ItemTrans, false, true},
    {kTransr, "S", ItemTransr, false, true},
    {kSubstr, "S", ItemSubstr, false, true},
    {kRot13, "S:", ItemRot13, false, false, 13.0},
};

// Numeric functions, by terminal 59 to 96. A null handler yields 0.
constexpr FunctionRow kFunctions[] = {
    {kCos, "N", MATH1(cos)},
    {kAcos, "N", MATH1(acos)},
    {kSin, "N", MATH1(sin)},
    {kAsin, "N", MATH1(asin)},
    {kTan, "N", MATH1(tan)},
    {kTanh, "N", MATH1(tanh)},
    {kAtan, "N", MATH1(atan)},
    {kAtan2, "NN", MATH2(atan2)},
    {kCeil, "N", MATH1(ceil)},
    {kExp, "N", MATH1(exp)},
    {kFabs, "N", MATH1(fabs)},
    {kFloor, "N", MATH1(floor)},
    {kFmod, "NN", MATH2(fmod)},
    {kPow, "NN", MATH2(pow)},
    {kSqrt, "N", MATH1(sqrt)},
    {kGmmmm, "NNNNN", FnGmmmm},
    {kBearingUtm, "NNNN", FnBearingUtm},
    {kDistUtm, "NNNN", FnDistUtm},
    {kDistVincenty, "NNNN", FnDistVincenty},
    {kProjUtmLat, "NNNN", FnProjUtmLat},
    {kProjUtmLon, "NNNN", FnProjUtmLon},
    {kMkz, "N", FnMkz},
    {kQsum, "N", FnQsum},
    {kQqsum, "N", FnQqsum},
    {kKqsum, "N", FnKqsum},
    {kTorad, "N", FnTorad},
    {kTodeg, "N", FnTodeg},
    {kOrd, "S", Ord},
    {kAlpha, "S", FnAlpha},
    {kSumrom, "S", FnSumrom},
    {kSumkas, "S", FnSumkas},
    {kSumjen, "S", FnSumjen},
    {kSummer, "S", FnSummer},
    {kSumkah, "S", FnSumkah},
    {kSummey, "S", FnSummey},
    {kSumker, "S", FnSumker},
    {kSumdev, "S", FnSumdev},
    {kSumeyr, "S", FnSumeyr},
};

#undef MATH1
#undef MATH2

// The rows stand in terminal order, so a look-up is an index.
template <typename Row, size_t N>
constexpr bool Ordered(const Row (&rows)[N], int first, int skip_after_first) {
  for (size_t i = 0; i < N; ++i) {
    int expected = first + static_cast<int>(i) + (i > 0 ? skip_after_first : 0);
    if (rows[i].terminal != expected) return false;
  }
  return true;
}
static_assert(Ordered(kStatements, kLin3, 0));
static_assert(Ordered(kItems, kMorse, kEsrom - kMorse - 1));
static_assert(Ordered(kFunctions, kCos, 0));

}  // namespace

const LibraryRow* FindStatement(int terminal) {
  if (terminal < kLin3 || terminal > kEnigmaWheels) return nullptr;
  return &kStatements[terminal - kLin3];
}

const LibraryRow* FindItem(int terminal) {
  if (terminal == kMorse) return &kItems[0];
  if (terminal < kEsrom || terminal > kRot13) return nullptr;
  return &kItems[terminal - kEsrom + 1];
}

const FunctionRow* FindFunction(int terminal) {
  if (terminal < kCos || terminal > kSumeyr) return nullptr;
  return &kFunctions[terminal - kCos];
}

}  // namespace orbelin
