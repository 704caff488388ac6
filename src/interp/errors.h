// The numbered diagnostics that are not "terminal expected": their numbers
// and their texts, as results and listings write them (Windows-1252: ä is
// 0xE4, ö 0xF6). The numbers 4 to 96 say that terminal n was expected; their
// text is made from the terminal's (diagnostics.cpp).
//
// Several texts are never reported (the grammar cannot reach them); they
// keep their numbers so that every number has its text.
//
// From 120 on: inputs that a library call refuses (Runtime::Refuse), each
// with the particulars and the fix in its hint.
#pragma once

// clang-format off
#define ORBELIN_ERRORS(X)                                                    \
  X(EofExpected,      0,   "EOF expected")                                   \
  X(IdentExpected,    1,   "ident expected")                                 \
  X(NumberExpected,   2,   "number expected")                                \
  X(StringExpected,   3,   "string expected")                                \
  X(NotExpected,      97,  "not expected")             /* never reported */  \
  X(Stat98,           98,  "unexpected symbol in Stat") /* never reported */ \
  X(Stat99,           99,  "unexpected symbol in Stat") /* never reported */ \
  X(ItemAfterComma,   100, "unexpected symbol in Stat")                      \
  X(StatementStart,   101, "unexpected symbol in Stat")                      \
  X(Expr102,          102, "unexpected symbol in Expr") /* never reported */ \
  X(Term103,          103, "unexpected symbol in Term") /* never reported */ \
  X(Hoch104,          104, "unexpected symbol in Hoch") /* never reported */ \
  X(FactorStart,      105, "unexpected symbol in Fact")                      \
  X(Func106,          106, "unexpected symbol in Func") /* never reported */ \
  X(Koord107,         107, "unexpected symbol in Koord") /* never reported */ \
  X(Koord108,         108, "unexpected symbol in Koord") /* never reported */ \
  X(Koord109,         109, "unexpected symbol in Koord") /* never reported */ \
  X(DuplicateName,    110, "No dopple indent name")                          \
  X(UnknownName,      111, "indent name unknown")                            \
  X(Empty112,         112, "")                          /* never reported */ \
  X(Unsolvable,       113, "Gleichung nicht l\xF6sbar")                      \
  X(TooManyWheels,    114, "Zu viele R\xE4" "der")                           \
  X(RingsNotAsLong,   115, "R\xE4" "der und Stellungen muss gleich lang sein") \
  X(OddPlugs,         116, "Der Stecker muss eine gerade Anzahl haben")      \
  X(BadWheelLetter,   117, "R\xE4" "der muss im Bereich A..V liegen")        \
  X(BadRingLetter,    118, "Stellung muss im Bereich A..Z liegen")           \
  X(BadWindowLetter,  119, "Preset muss im Bereich A..Z liegen")             \
  X(LatitudeRange,    120, "latitude out of range")                          \
  X(RadiusRange,      121, "radius out of range")                            \
  X(BadMgrs,          130, "not an MGRS reference")                          \
  X(NoMgrsSquare,     131, "no such MGRS square")                            \
  X(BadLocator,       132, "not a Maidenhead locator")                       \
  X(BadGeohash,       133, "not a geohash")                                  \
  X(BadPlusCode,      134, "not a plus code")                                \
  X(ShortPlusCode,    135, "short plus code without a place near")           \
  X(BadCodeLength,    136, "no such length")                                 \
  X(NoSuchPlace,      137, "no such position")                               \
  X(OutsideGrid,      138, "outside the grid")                               \
  X(BadOsgbReference, 139, "not a British grid reference")                  \
  X(NoAustrianZone,   140, "no such Austrian meridian")                      \
  X(NoLetterNumber,   150, "No letter for this number")                      \
  X(ShiftNotWhole,    151, "Shift must be a whole number")                   \
  X(NotRoman,         152, "Not a Roman numeral")                            \
  X(NoRoman,          153, "No Roman numeral for this number")               \
  X(BadBase,          154, "Base must be 2 to 36")                           \
  X(NotInBase,        155, "Not a number in this base")                      \
  X(NotWholeInRange,  156, "Number not whole or out of range")               \
  X(NotCharCode,      157, "Not a character code")                           \
  X(NoNthPrime,       158, "No prime for this index")                        \
  X(NotADate,         159, "Not a date")                                     \
  X(DateOutOfRange,   160, "Date out of range")                              \
  X(KeyNotLetters,    161, "Key must be letters")                            \
  X(NotPolybius,      162, "Not a Polybius code")                            \
  X(NotPlayfair,      163, "Not a Playfair text")                            \
  X(BadBaconAlphabet, 164, "Bacon alphabet must be 24 or 26")                \
  X(NotBacon,         165, "Not a Bacon code")                               \
  X(BadRails,         166, "Rails must be 2 to 10")                          \
  X(NotKeypadTaps,    167, "Not keypad taps")                               \
  X(NotFinalPattern,  180, "not a final pattern")                           \
  X(DegreeSignMissing, 181, "degree sign missing")                          \
  X(BracketNotClosed, 182, "bracket not closed")                            \
  X(PatternNameNotSet, 183, "letter not set")                               \
  X(LetterNotDigit,   184, "letter not one digit")                          \
  X(BracketNotWhole,  185, "bracket not a whole number")                    \
  X(PatternMinutes,   186, "minutes 60 or more")                            \
  X(PatternDegrees,   187, "degrees out of range")
// clang-format on

namespace orbelin {

enum ErrorNumber : int {
#define ORBELIN_ERROR(name, number, text) kErr##name = number,
  ORBELIN_ERRORS(ORBELIN_ERROR)
#undef ORBELIN_ERROR
};

}  // namespace orbelin
