#pragma once
// Proleptic Gregorian calendar arithmetic on plain dates: day numbers counted from 1970-01-01.
// No time zone and no daylight saving take part, so a day is always 86400 seconds long.

#include <cstdint>

struct CivilDate {
  std::int64_t year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
};

// a / b rounded toward negative infinity (b > 0).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b);
// The day number of a date (1970-01-01 is 0). Months outside 1..12 and days outside the month
// carry into the neighbouring months and years, as mktime does with its fields.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day);
// The date of a day number.
CivilDate CivilFromDays(std::int64_t days);
// 0 = Sunday .. 6 = Saturday.
int WeekdayFromDays(std::int64_t days);
