// Calendar dates for puzzles: the day of the week, the days between two
// dates, a date some days on. The calendar is the Gregorian one, also
// before 1582 (proleptic), for the years 1 to 9999; a date is three whole
// numbers, year, month (1 to 12) and day.
#pragma once

#include <cstdint>
#include <string>

namespace orbelin {

struct CivilDate {
  int year = 1;
  int month = 1;
  int day = 1;
};

inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 9999;

// Days from 0001-01-01 (day 0) to the date.
int64_t DayNumber(CivilDate date);
// The date of a day number; only for 0001-01-01 to 9999-12-31.
CivilDate DateOfDay(int64_t day);
// Whether a day number lies from 0001-01-01 to 9999-12-31.
bool InCalendar(int64_t day);

// 1 for Monday up to 7 for Sunday, as ISO 8601 counts them.
int Weekday(CivilDate date);
// "Monday" ... "Sunday".
const char* WeekdayName(int weekday);

// Three numbers read as a date, or what is wrong with them: a number that
// is no whole number, a month that is not 1 to 12, a day the month does not
// have (31 February) or a year outside 1 to 9999.
struct DateReading {
  enum class Fault { kNone, kNotADate, kOutOfRange };
  Fault fault = Fault::kNone;
  std::string why;  // for the hint; "" when the date was read
  CivilDate date;
};
DateReading ReadDate(double year, double month, double day);

// "2024-03-15", the form of ISO 8601.
std::string IsoDate(CivilDate date);

}  // namespace orbelin
