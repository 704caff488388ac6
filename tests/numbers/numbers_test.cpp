// Whole ranges where a sample could miss an off-by-one: every day of the
// calendar, and every number below a million against a sieve.
#include <gtest/gtest.h>

#include <vector>

#include "numbers/dates.h"
#include "numbers/primes.h"

namespace orbelin {
namespace {

TEST(DatesTest, EveryDayOfTheCalendarRoundTripsAndFollowsTheDayBefore) {
  const int64_t last = DayNumber({kLastYear, 12, 31});
  EXPECT_EQ(last, 3652058);  // date(9999, 12, 31).toordinal() - 1 in Python
  CivilDate before = DateOfDay(0);
  EXPECT_EQ(IsoDate(before), "0001-01-01");
  EXPECT_EQ(Weekday(before), 1);  // a Monday in the proleptic calendar
  for (int64_t day = 1; day <= last; ++day) {
    const CivilDate date = DateOfDay(day);
    ASSERT_EQ(DayNumber(date), day) << IsoDate(date);
    // The next day is the next in the month, or the first of the next month.
    const bool next_in_month =
        date.year == before.year && date.month == before.month && date.day == before.day + 1;
    const bool first_of_next = date.day == 1 && (date.month == before.month % 12 + 1);
    ASSERT_TRUE(next_in_month || first_of_next) << IsoDate(before) << " then " << IsoDate(date);
    ASSERT_TRUE(ReadDate(date.year, date.month, date.day).why.empty()) << IsoDate(date);
    before = date;
  }
  EXPECT_FALSE(InCalendar(last + 1));
  EXPECT_FALSE(InCalendar(-1));
}

TEST(PrimesTest, AgreeWithASieveBelowAMillion) {
  constexpr int kLimit = 1'000'000;
  std::vector<bool> composite(kLimit, false);
  int count = 0;
  for (int n = 2; n < kLimit; ++n) {
    if (!composite[n]) {
      for (int64_t m = int64_t{n} * n; m < kLimit; m += n) composite[m] = true;
    }
    const bool prime = !composite[n];
    ASSERT_EQ(IsPrime(static_cast<uint64_t>(n)), prime) << n;
    if (prime && ++count % 997 == 0) {
      ASSERT_EQ(NthPrime(count), n) << count;
    }
  }
  EXPECT_FALSE(IsPrime(0));
  EXPECT_FALSE(IsPrime(1));
}

// Strong pseudoprimes to several bases, which a test with too few bases
// would call prime.
TEST(PrimesTest, PseudoprimesAreFound) {
  for (uint64_t n : {2047ull, 1373653ull, 25326001ull, 3215031751ull, 2152302898747ull,
                     3474749660383ull, 341550071728321ull}) {
    const auto factors = PrimeFactors(n);
    const bool prime = factors.size() == 1 && factors[0].second == 1;
    EXPECT_EQ(IsPrime(n), prime) << n;
    uint64_t product = 1;
    for (const auto& [p, power] : factors) {
      EXPECT_TRUE(IsPrime(p)) << p;
      for (int i = 0; i < power; ++i) product *= p;
    }
    EXPECT_EQ(product, n);
  }
}

}  // namespace
}  // namespace orbelin
