#include "numbers/dates.h"

#include <cstdio>

#include "base/maths.h"

namespace orbelin {

namespace {

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};

// Days before the year's 1 January, counted from 0001-01-01.
int64_t DaysBeforeYear(int year) {
  const int64_t y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

int64_t DaysBeforeMonth(int year, int month) {
  int64_t days = 0;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days;
}

std::string Number(double x) {
  char text[32];
  std::snprintf(text, sizeof text, x == maths::trunc(x) && maths::fabs(x) < 1e15 ? "%.0f" : "%g",
                x);
  return text;
}

}  // namespace

int64_t DayNumber(CivilDate date) {
  return DaysBeforeYear(date.year) + DaysBeforeMonth(date.year, date.month) + date.day - 1;
}

bool InCalendar(int64_t day) {
  return day >= 0 && day <= DayNumber({kLastYear, 12, 31});
}

CivilDate DateOfDay(int64_t day) {
  // The year from the mean length of 365.2425 days, then corrected by one
  // either way.
  int year = static_cast<int>(static_cast<double>(day) / 365.2425) + 1;
  while (year > kFirstYear && DaysBeforeYear(year) > day) --year;
  while (DaysBeforeYear(year + 1) <= day) ++year;
  int64_t rest = day - DaysBeforeYear(year);
  int month = 1;
  while (rest >= DaysInMonth(year, month)) rest -= DaysInMonth(year, month++);
  return {year, month, static_cast<int>(rest) + 1};
}

int Weekday(CivilDate date) {
  // 0001-01-01 of the proleptic Gregorian calendar was a Monday.
  return static_cast<int>(DayNumber(date) % 7) + 1;
}

const char* WeekdayName(int weekday) {
  static constexpr const char* kNames[7] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                            "Friday", "Saturday", "Sunday"};
  return kNames[weekday - 1];
}

DateReading ReadDate(double year, double month, double day) {
  DateReading out;
  for (double x : {year, month, day}) {
    if (!maths::isfinite(x) || x != maths::trunc(x)) {
      out.fault = DateReading::Fault::kNotADate;
      out.why = Number(x) +
                " is not a whole number: a date is three whole numbers, year, "
                "month and day";
      return out;
    }
  }
  if (year < kFirstYear || year > kLastYear) {
    out.fault = DateReading::Fault::kOutOfRange;
    out.why = "the year " + Number(year) +
              " lies outside the years 1 to 9999 that the calendar "
              "counts";
    return out;
  }
  if (month < 1 || month > 12) {
    out.fault = DateReading::Fault::kNotADate;
    out.why = Number(month) +
              " is no month: the months are 1 to 12, and a date is written year, "
              "month, day";
    return out;
  }
  const int y = static_cast<int>(year), m = static_cast<int>(month);
  if (day < 1 || day > DaysInMonth(y, m)) {
    out.fault = DateReading::Fault::kNotADate;
    out.why = "day " + Number(day) + " is no day of " + kMonthNames[m - 1] + " " +
              std::to_string(y) + ", which has " + std::to_string(DaysInMonth(y, m)) + " days";
    return out;
  }
  out.date = {y, m, static_cast<int>(day)};
  return out;
}

std::string IsoDate(CivilDate date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

}  // namespace orbelin
