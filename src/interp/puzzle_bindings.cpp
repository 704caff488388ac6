// The puzzle toolbox: word values, shifts and substitutions, Roman
// numerals, number bases, primes, dates and the classic pencil ciphers.
//
// An input a tool cannot take is refused: a numbered error in the results
// and the listing, and on the screen what is wrong and what to write. A
// refused function gives nan, a refused output item writes nothing.
#include <limits>
#include <string>

#include "interp/bindings.h"
#include "interp/errors.h"
#include "interp/text_notices.h"
#include "text/word_value.h"

namespace orbelin {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

}  // namespace orbelin
