// The puzzle toolbox: word values, shifts and substitutions, Roman
// numerals, number bases, primes, dates and the classic pencil ciphers.
//
// An input a tool cannot take is refused: a numbered error in the results
// and the listing, and on the screen what is wrong and what to write. A
// refused function gives nan, a refused output item writes nothing.
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "base/maths.h"
#include "interp/bindings.h"
#include "interp/errors.h"
#include "interp/text_notices.h"
#include "numbers/bases.h"
#include "numbers/char_codes.h"
#include "numbers/dates.h"
#include "numbers/primes.h"
#include "numbers/roman.h"
#include "text/bacon.h"
#include "text/caesar.h"
#include "text/key_square.h"
#include "text/keypad.h"
#include "text/left_out.h"
#include "text/playfair.h"
#include "text/polybius.h"
#include "text/rail_fence.h"
#include "text/word_value.h"

namespace orbelin {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A number as a hint quotes it: a whole number with all its digits, any
// other as short as it reads.
std::string Shown(double x) {
  char text[32];
  const bool whole = maths::isfinite(x) && x == maths::trunc(x) && maths::fabs(x) < 1e21;
  std::snprintf(text, sizeof text, whole ? "%.0f" : "%.15g", x);
  return text;
}

}  // namespace

double FnAzsum(Runtime& rt, const CallArgs& a) {
  Say(rt, UncountedNotices("AZSUM", a.str[0].view()));
  return WordValue(a.str[0].view(), LetterOrder::kAtoZ);
}
double FnZasum(Runtime& rt, const CallArgs& a) {
  Say(rt, UncountedNotices("ZASUM", a.str[0].view()));
  return WordValue(a.str[0].view(), LetterOrder::kZtoA);
}

void ItemAztext(Runtime& rt, const CallArgs& a) {
  LettersOfNumbers letters = LettersOf(a.str[0].view());
  if (!letters.error.empty()) {
    rt.Refuse(kErrNoLetterNumber, std::move(letters.error));
    return;
  }
  rt.out.WriteString(letters.text);
}

// A shift is a whole number of letters; any size works, only its
// remainder by 26 counts.
void ItemCaesar(Runtime& rt, const CallArgs& a) {
  const double shift = a.num[0];
  if (!maths::isfinite(shift) || shift != maths::trunc(shift)) {
    rt.Refuse(kErrShiftNotWhole, "the shift " + Shown(shift) +
                                     " is not a whole number of letters: write one, as in "
                                     "CAESAR('text', 3), or CAESAR('text', 0 - 3) to go back");
    return;
  }
  rt.out.WriteString(CaesarShift(a.str[0].view(), static_cast<long long>(maths::fmod(shift, 26))));
}

// One line per shift, "%2d text", written as they are: wrapping would
// tear the table apart.
void ItemCaesarAll(Runtime& rt, const CallArgs& a) {
  for (int shift = 1; shift <= 25; ++shift) {
    rt.out.Printf("%2d ", shift);
    rt.out.Write(CaesarShift(a.str[0].view(), shift));
    if (shift < 25) rt.out.WriteNewline();
  }
}

void ItemAtbash(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(Atbash(a.str[0].view()));
}

double FnRom2Num(Runtime& rt, const CallArgs& a) {
  RomanReading r = ReadRoman(a.str[0].view());
  if (r.value < 0) {
    rt.Refuse(kErrNotRoman, std::move(r.error));
    return kNaN;
  }
  return r.value;
}

void ItemNum2Rom(Runtime& rt, const CallArgs& a) {
  const double n = a.num[0];
  std::string why;
  if (!maths::isfinite(n) || n != maths::trunc(n)) {
    why = Shown(n) + " is not a whole number";
  } else if (n < 1) {
    why = Shown(n) + " has none: the Roman numerals begin at I, 1";
  } else if (n > kLargestRoman) {
    why = Shown(n) +
          " has none: the numerals end at MMMCMXCIX, 3999 (larger numbers were written with a "
          "bar over the thousands, which text cannot show)";
  }
  if (!why.empty()) {
    rt.Refuse(kErrNoRoman, std::move(why) + "; NUM2ROM writes 1 to 3999");
    return;
  }
  rt.out.Write(ToRoman(static_cast<int>(n)));
}

namespace {

// The base argument of a call, or 0 after refusing it.
int BaseArgument(Runtime& rt, double base, const char* example) {
  if (IsBase(base)) return static_cast<int>(base);
  rt.Refuse(kErrBadBase, "the base " + Shown(base) +
                             " is not a whole number from 2 to 36: write one, as in " + example);
  return 0;
}

}  // namespace

double FnBase2Num(Runtime& rt, const CallArgs& a) {
  const int base = BaseArgument(rt, a.num[0], "BASE2NUM('1A3F', 16)");
  if (base == 0) return kNaN;
  BaseReading r = ReadBase(a.str[0].view(), base);
  if (!r.error.empty()) {
    rt.Refuse(kErrNotInBase, std::move(r.error));
    return kNaN;
  }
  return static_cast<double>(r.value);
}

void ItemNum2Base(Runtime& rt, const CallArgs& a) {
  const double n = a.num[0];
  const int base = BaseArgument(rt, a.num[1], "NUM2BASE(255, 16)");
  if (base == 0) return;
  const bool whole = maths::isfinite(n) && n == maths::trunc(n);
  if (!whole || maths::fabs(n) > static_cast<double>(kLargestExact)) {
    rt.Refuse(kErrNotWholeInRange,
              Shown(n) + (whole ? " is larger than 9007199254740992 (2^53), beyond which a "
                                  "number is not exact"
                                : " is not a whole number: NUM2BASE writes whole numbers, as "
                                  "NUM2BASE(FLOOR(x), 2) does"));
    return;
  }
  rt.out.Write(ToBase(static_cast<int64_t>(n), base));
}

void ItemText2Codes(Runtime& rt, const CallArgs& a) {
  const int base = BaseArgument(rt, a.num[0], "TEXT2CODES('text', 16)");
  if (base == 0) return;
  rt.out.WriteString(TextToCodes(a.str[0].view(), base));
}

void ItemCodes2Text(Runtime& rt, const CallArgs& a) {
  const int base = BaseArgument(rt, a.num[0], "CODES2TEXT('72 105', 10)");
  if (base == 0) return;
  CodesReading r = CodesToText(a.str[0].view(), base);
  if (!r.error.empty()) {
    rt.Refuse(kErrNotCharCode, std::move(r.error));
    return;
  }
  rt.out.WriteString(r.text);
}

double FnNthPrime(Runtime& rt, const CallArgs& a) {
  const double n = a.num[0];
  if (!(n >= 1 && n <= static_cast<double>(kLargestNthPrime) && n == maths::trunc(n))) {
    rt.Refuse(kErrNoNthPrime,
              Shown(n) +
                  " is no index of a prime: NTHPRIME counts the primes 1 (2), 2 (3), 3 "
                  "(5) ... up to 10000000 (179424673)");
    return kNaN;
  }
  return static_cast<double>(NthPrime(static_cast<int64_t>(n)));
}

namespace {

// Whether n is a whole number the prime tools take, refusing it if not.
bool PrimeArgument(Runtime& rt, double n, const char* what) {
  const bool whole = maths::isfinite(n) && n == maths::trunc(n);
  if (whole && n <= static_cast<double>(kLargestExact)) return true;
  rt.Refuse(kErrNotWholeInRange,
            Shown(n) +
                (whole ? " is larger than 9007199254740992 (2^53), beyond which a "
                         "number is not exact"
                       : " is not a whole number") +
                "; " + what);
  return false;
}

}  // namespace

double FnIsPrime(Runtime& rt, const CallArgs& a) {
  const double n = a.num[0];
  if (!PrimeArgument(rt, n, "ISPRIME tells of whole numbers up to 2^53")) return kNaN;
  return n >= 2 && IsPrime(static_cast<uint64_t>(n)) ? 1 : 0;
}

void ItemPrimeFactors(Runtime& rt, const CallArgs& a) {
  const double n = a.num[0];
  const char* what = "PRIMEFACTORS takes whole numbers from 1 to 2^53";
  if (!PrimeArgument(rt, n, what)) return;
  if (n < 1) {
    rt.Refuse(kErrNotWholeInRange, Shown(n) + " has no prime factors; " + what);
    return;
  }
  if (n == 1) {
    rt.out.Write("1");
    return;
  }
  std::string product;
  for (const auto& [p, power] : PrimeFactors(static_cast<uint64_t>(n))) {
    if (!product.empty()) product += " * ";
    product += std::to_string(p);
    if (power > 1) product += "^" + std::to_string(power);
  }
  rt.out.Write(product);
}

namespace {

// Year, month and day from num[first] on as a date; false after refusing.
bool DateArgument(Runtime& rt, const CallArgs& a, int first, CivilDate* date) {
  DateReading r = ReadDate(a.num[first], a.num[first + 1], a.num[first + 2]);
  if (r.fault == DateReading::Fault::kNone) {
    *date = r.date;
    return true;
  }
  rt.Refuse(r.fault == DateReading::Fault::kNotADate ? kErrNotADate : kErrDateOutOfRange,
            std::move(r.why));
  return false;
}

}  // namespace

double FnWeekday(Runtime& rt, const CallArgs& a) {
  CivilDate date;
  return DateArgument(rt, a, 0, &date) ? Weekday(date) : kNaN;
}

double FnDaysBetween(Runtime& rt, const CallArgs& a) {
  CivilDate from, to;
  if (!DateArgument(rt, a, 0, &from) || !DateArgument(rt, a, 3, &to)) return kNaN;
  return static_cast<double>(DayNumber(to) - DayNumber(from));
}

// A refused date leaves nan in all three variables, so that nothing goes
// on with a date from before.
void HandleDatePlus(Runtime& rt, const CallArgs& a) {
  auto store = [&](double y, double m, double d) {
    rt.SetValue(a.var[0], y);
    rt.SetValue(a.var[1], m);
    rt.SetValue(a.var[2], d);
  };
  CivilDate date;
  if (!DateArgument(rt, a, 0, &date)) return store(kNaN, kNaN, kNaN);
  const double days = a.num[3];
  if (!maths::isfinite(days) || days != maths::trunc(days)) {
    rt.Refuse(kErrNotWholeInRange, Shown(days) + " is not a whole number of days");
    return store(kNaN, kNaN, kNaN);
  }
  const double day = static_cast<double>(DayNumber(date)) + days;
  if (!(day >= 0 && InCalendar(static_cast<int64_t>(maths::fmin(day, 1e15))))) {
    const double far = maths::fabs(days);
    rt.Refuse(kErrDateOutOfRange, Shown(far) + (far == 1 ? " day" : " days") +
                                      (days < 0 ? " before " : " after ") + IsoDate(date) +
                                      " lies outside the years 1 to 9999 that the calendar "
                                      "counts");
    return store(kNaN, kNaN, kNaN);
  }
  const CivilDate result = DateOfDay(static_cast<int64_t>(day));
  store(result.year, result.month, result.day);
}

void ItemWdate(Runtime& rt, const CallArgs& a) {
  CivilDate date;
  if (!DateArgument(rt, a, 0, &date)) return;
  rt.out.Write(std::string(WeekdayName(Weekday(date))) + " " + IsoDate(date));
}

namespace {

// The square of a key argument, or nothing after refusing the key.
std::optional<KeySquare> SquareArgument(Runtime& rt, const StringArg& key) {
  KeySquareResult r = MakeKeySquare(key.view());
  if (!r.square) rt.Refuse(kErrKeyNotLetters, std::move(r.error));
  return r.square;
}

}  // namespace

void ItemPolye(Runtime& rt, const CallArgs& a) {
  const std::optional<KeySquare> square = SquareArgument(rt, a.str[1]);
  if (!square) return;
  Say(rt, LeftOutNotices(a.str[0].view(), "the square"));
  rt.out.WriteString(PolybiusEncode(*square, a.str[0].view()));
}

void ItemPolyd(Runtime& rt, const CallArgs& a) {
  const std::optional<KeySquare> square = SquareArgument(rt, a.str[1]);
  if (!square) return;
  PolybiusReading r = PolybiusDecode(*square, a.str[0].view());
  if (!r.error.empty()) {
    rt.Refuse(kErrNotPolybius, std::move(r.error));
    return;
  }
  rt.out.WriteString(r.text);
}

void ItemPlayfaire(Runtime& rt, const CallArgs& a) {
  const std::optional<KeySquare> square = SquareArgument(rt, a.str[1]);
  if (!square) return;
  Say(rt, LeftOutNotices(a.str[0].view(), "the square"));
  rt.out.WriteString(PlayfairEncipher(*square, a.str[0].view()));
}

void ItemPlayfaird(Runtime& rt, const CallArgs& a) {
  const std::optional<KeySquare> square = SquareArgument(rt, a.str[1]);
  if (!square) return;
  PlayfairReading r = PlayfairDecipher(*square, a.str[0].view());
  if (!r.error.empty()) {
    rt.Refuse(kErrNotPlayfair, std::move(r.error));
    return;
  }
  rt.out.WriteString(r.text);
}

namespace {

// 24 or 26, or 0 after refusing the argument.
int BaconArgument(Runtime& rt, double letters, const char* example) {
  if (IsBaconAlphabet(letters)) return static_cast<int>(letters);
  rt.Refuse(kErrBadBaconAlphabet,
            Shown(letters) +
                " is no alphabet of Bacon's: write 24 for his own (I and J, U and V alike) "
                "or 26 for one letter each, as in " +
                example);
  return 0;
}

}  // namespace

void ItemBacone(Runtime& rt, const CallArgs& a) {
  const int letters = BaconArgument(rt, a.num[0], "BACONE('text', 26)");
  if (letters == 0) return;
  Say(rt, LeftOutNotices(a.str[0].view(), "Bacon's alphabet"));
  rt.out.WriteString(BaconEncode(a.str[0].view(), letters));
}

void ItemBacond(Runtime& rt, const CallArgs& a) {
  const int letters = BaconArgument(rt, a.num[0], "BACOND('AABBB AABAA', 26)");
  if (letters == 0) return;
  BaconReading r = BaconDecode(a.str[0].view(), letters);
  if (!r.error.empty()) {
    rt.Refuse(kErrNotBacon, std::move(r.error));
    return;
  }
  rt.out.WriteString(r.text);
}

namespace {

// The rails, or 0 after refusing the argument.
int RailsArgument(Runtime& rt, double rails, const char* example) {
  if (rails >= kFewestRails && rails <= kMostRails && rails == maths::trunc(rails)) {
    return static_cast<int>(rails);
  }
  rt.Refuse(
      kErrBadRails,
      Shown(rails) + " rails will not do: write a whole number from 2 to 10, as in " + example);
  return 0;
}

}  // namespace

// The fence moves blanks about like any character: it is written as it
// is, never wrapped at MARGIN, which would drop the blank it breaks at.
void ItemRaile(Runtime& rt, const CallArgs& a) {
  const int rails = RailsArgument(rt, a.num[0], "RAILE('text', 3)");
  if (rails == 0) return;
  rt.out.Write(RailFenceEncipher(a.str[0].view(), rails));
}

void ItemRaild(Runtime& rt, const CallArgs& a) {
  const int rails = RailsArgument(rt, a.num[0], "RAILD('text', 3)");
  if (rails == 0) return;
  rt.out.Write(RailFenceDecipher(a.str[0].view(), rails));
}

void ItemText2Taps(Runtime& rt, const CallArgs& a) {
  Say(rt, LeftOutNotices(a.str[0].view(), "the keypad's letters"));
  rt.out.WriteString(TextToTaps(a.str[0].view()));
}

void ItemTaps2Text(Runtime& rt, const CallArgs& a) {
  TapsReading r = TapsToText(a.str[0].view());
  if (!r.error.empty()) {
    rt.Refuse(kErrNotKeypadTaps, std::move(r.error));
    return;
  }
  rt.out.WriteString(r.text);
}

void ItemText2Keys(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(TextToKeys(a.str[0].view()));
}

}  // namespace orbelin
