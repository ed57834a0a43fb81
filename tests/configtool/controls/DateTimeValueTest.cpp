// The date-time value: validity, parsing and formatting, and calendar arithmetic that gives the
// same days in every time zone, summer time or not.

#include "configtool/controls/DateTimeValue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "configtool/controls/CivilCalendar.h"
#include "platform/os/Clock.h"

namespace {

DateTimeValue Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  DateTimeValue value;
  value.year = year;
  value.month = month - 1;
  value.day = day;
  value.hour = hour;
  value.minute = minute;
  value.second = second;
  return value;
}

std::string Text(const DateTimeValue& value) { return value.Format().Str(); }

// Runs the test body's checks in a time zone, then puts the process's zone back.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    if (m_old) {
      ::setenv("TZ", m_old->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> m_old;
};

constexpr const char* kZones[] = {"UTC", "Europe/Berlin", "Asia/Shanghai"};

TEST(DateTimeValue, DefaultAndValidity) {
  EXPECT_EQ(Text(DateTimeValue()), "1971-01-01 00:00:00");
  struct Case {
    DateTimeValue value;
    bool valid;
  };
  const Case cases[] = {
      {Make(2000, 2, 29), true},         {Make(2100, 2, 29), false},     {Make(2024, 2, 29), true},
      {Make(2023, 2, 29), false},        {Make(1970, 12, 31), false},    {Make(3000, 1, 1), false},
      {Make(2999, 12, 31, 23, 59, 59), true}, {Make(2024, 4, 31), false}, {Make(2024, 13, 1), false},
      {Make(2024, 0, 1), false},         {Make(2024, 1, 0), false},      {Make(2024, 1, 1, 24), false},
      {Make(2024, 1, 1, 0, 60), false},  {Make(2024, 1, 1, 0, 0, -1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value.year) + "-" + std::to_string(c.value.month) + "-" + std::to_string(c.value.day));
    EXPECT_EQ(c.value.IsValid(), c.valid);
  }
}

TEST(DateTimeValue, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_TRUE(IsLeapYear(0));
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
  EXPECT_EQ(DaysInMonth(2023, 0), 0);
  EXPECT_EQ(DaysInMonth(0, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 4), 30);
  EXPECT_EQ(DaysInMonth(2024, 12), 31);
}

TEST(DateTimeValue, InvalidValuesReportThemselves) {
  const DateTimeValue invalid = Make(2024, 2, 30);
  EXPECT_EQ(invalid.Format().Str(), "日期不合法!");
  EXPECT_EQ(invalid.FormatTime().Str(), "日期不合法!");
  EXPECT_EQ(invalid.FormatDate(), "2024-02-30");
  EXPECT_EQ(invalid.GetYear(), 1);
  EXPECT_EQ(invalid.GetMonth(), -1);
  EXPECT_EQ(invalid.GetDay(), -1);
  EXPECT_EQ(invalid.GetSecond(), -1);
  EXPECT_EQ(invalid.GetWeekday(), -1);
  EXPECT_EQ(Text(invalid.AddYears(1)), "1971-01-01 00:00:00");
  EXPECT_EQ(Text(invalid.AddMonths(1)), "1971-01-01 00:00:00");

  DateTimeValue value = Make(2024, 3, 7);
  EXPECT_EQ(Text(value.Assign(invalid)), "2024-03-07 00:00:00");
  EXPECT_EQ(value.CopyDate(invalid), -1);
  EXPECT_EQ(value.CopyTime(invalid), -1);
  EXPECT_EQ(value.CopyAll(invalid), -1);
  EXPECT_EQ(Text(value), "2024-03-07 00:00:00");
  EXPECT_EQ(value.GetMonth(), 3);
}

TEST(DateTimeValue, SetDateTimeTellsWhetherItTookTheParts) {
  DateTimeValue value = Make(2024, 3, 7);
  EXPECT_FALSE(value.SetDateTime(2024, 2, 30, 0, 0, 0));
  EXPECT_EQ(Text(value), "2024-03-07 00:00:00");
  EXPECT_TRUE(value.SetDateTime(2024, 12, 31, 23, 59, 59));
  EXPECT_EQ(value.month, 11);
  EXPECT_EQ(Text(value), "2024-12-31 23:59:59");
  EXPECT_FALSE(value.SetDateTime(2024, -2147483647 - 1, 1, 0, 0, 0));
}

TEST(DateTimeValue, CopiesAndSetDay) {
  DateTimeValue value = Make(2024, 2, 10, 8, 30, 15);
  const DateTimeValue other = Make(2023, 11, 30, 17, 45, 5);
  EXPECT_EQ(value.CopyTime(other), 0);
  EXPECT_EQ(Text(value), "2024-02-10 17:45:05");
  EXPECT_EQ(value.CopyDate(other), 0);
  EXPECT_EQ(Text(value), "2023-11-30 17:45:05");
  value = Make(2024, 2, 10);
  EXPECT_EQ(value.SetDay(29), 0);
  EXPECT_EQ(value.SetDay(30), -1);
  EXPECT_EQ(value.day, 29);
  value.month = 12;
  EXPECT_EQ(value.SetDay(1), -1);
}

TEST(DateTimeValue, ParsesBothTextFormsWithinTheirLengths) {
  const DateTimeValue base = Make(2020, 6, 15, 12, 0, 0);
  struct Case {
    const char* text;
    const char* full;  // the result of Parse
  };
  const Case cases[] = {
      {"2024-5-6", "2024-05-06 00:00:00"},
      {"2024-1-5 8:3:9", "2024-01-05 08:03:09"},
      {"2024-01-05 08:03:09", "2024-01-05 08:03:09"},
      {"2024-02-30 10:00:00", "2020-06-15 12:00:00"},    // no such day
      {"2024-01-05 08:03:09 ", "2020-06-15 12:00:00"},   // 20 characters
      {"2024", "2020-06-15 12:00:00"},                   // month -1
      {"", "2020-06-15 12:00:00"},
      {"99999999999-1-1", "2020-06-15 12:00:00"},        // a year that overflows is refused, not wrapped
      {"2024-1-4294967297", "2020-06-15 12:00:00"},      // a day that would wrap to 1
      {"2024-3-1 00:00:0", "2024-03-01 00:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Text(base.Parse(c.text)), c.full);
  }
  EXPECT_EQ(Text(base.Parse(nullptr)), "2020-06-15 12:00:00");

  struct TimeCase {
    const char* text;
    const char* full;
  };
  const TimeCase times[] = {
      {"8:5:0", "1971-01-01 08:05:00"},
      {"23:59:59", "1971-01-01 23:59:59"},
      {"08:30:00 ", "2020-06-15 12:00:00"},  // 9 characters
      {"24:00:00", "2020-06-15 12:00:00"},
      {"4294967304:0:0", "2020-06-15 12:00:00"},
      {"", "2020-06-15 12:00:00"},
  };
  for (const TimeCase& c : times) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Text(base.ParseTime(c.text)), c.full);
  }
}

TEST(DateTimeValue, YearAndMonthSteps) {
  struct Case {
    DateTimeValue from;
    int years;
    int months;
    const char* expected;
  };
  const Case cases[] = {
      {Make(2024, 1, 15), 0, -1, "2023-12-15 00:00:00"},
      {Make(2024, 5, 31), 0, -1, "2024-04-30 00:00:00"},
      {Make(2024, 1, 31), 0, 1, "2024-02-29 00:00:00"},
      {Make(2023, 3, 31, 7, 8, 9), 0, -1, "2023-02-28 07:08:09"},
      {Make(2024, 12, 1), 0, 1, "2025-01-01 00:00:00"},
      {Make(2024, 6, 1), 0, 25, "2026-07-01 00:00:00"},
      {Make(1971, 1, 1), 0, -1, "1971-01-01 00:00:00"},  // would leave the valid years
      {Make(2999, 12, 1), 0, 1, "2999-12-01 00:00:00"},
      {Make(2024, 6, 1), 0, 2147483647, "2024-06-01 00:00:00"},
      {Make(2024, 2, 29), 1, 0, "2024-02-29 00:00:00"},  // 29 February 2025 does not exist
      {Make(2024, 2, 29), 4, 0, "2028-02-29 00:00:00"},
      {Make(2024, 2, 29), -1, 0, "2024-02-29 00:00:00"},
      {Make(2998, 7, 1), 2, 0, "2998-07-01 00:00:00"},
      {Make(2024, 7, 1), -2147483647 - 1, 0, "2024-07-01 00:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.from) + " " + std::to_string(c.years) + "y " + std::to_string(c.months) + "m");
    const DateTimeValue result = c.years != 0 ? c.from.AddYears(c.years) : c.from.AddMonths(c.months);
    EXPECT_EQ(Text(result), c.expected);
  }
}

// Every day of a month in which summer time applies (and the months around the change) steps
// by exactly one calendar day at the same time of day, whatever the machine's time zone.
TEST(DateTimeValue, DayStepsAndWeekdaysAreTheSameInEveryTimeZone) {
  for (const char* zone : kZones) {
    SCOPED_TRACE(zone);
    ScopedTimeZone scoped(zone);
    // 1988: Shanghai had summer time from mid April to mid September; 2024: Berlin from 31 March.
    for (const DateTimeValue& start : {Make(2024, 7, 1), Make(1988, 7, 1), Make(2024, 3, 30, 2, 30), Make(1988, 4, 9, 23)}) {
      DateTimeValue day = start;
      for (int i = 0; i < 40; ++i) {
        const DateTimeValue next = day.AddDays(1);
        ASSERT_EQ(next.hour, start.hour) << Text(day);
        ASSERT_EQ(next.minute, start.minute) << Text(day);
        ASSERT_EQ((next.GetWeekday() + 6) % 7, day.GetWeekday()) << Text(day);
        day = next;
      }
    }
    EXPECT_EQ(Text(Make(2024, 7, 10).AddDays(1)), "2024-07-11 00:00:00");
    EXPECT_EQ(Text(Make(1988, 7, 31).AddDays(1)), "1988-08-01 00:00:00");
    EXPECT_EQ(Text(Make(2024, 3, 1).AddDays(-1)), "2024-02-29 00:00:00");
    EXPECT_EQ(Text(Make(2024, 7, 20).AddDays(-19)), "2024-07-01 00:00:00");
    EXPECT_EQ(Text(Make(2999, 12, 31).AddDays(1)), "2999-12-31 00:00:00");
    EXPECT_EQ(Text(Make(1971, 1, 1).AddDays(-1)), "1971-01-01 00:00:00");
    EXPECT_EQ(Text(Make(2024, 7, 1).AddDays(2147483647)), "2024-07-01 00:00:00");
    EXPECT_EQ(Make(2024, 7, 1).GetWeekday(), 1);   // a Monday
    EXPECT_EQ(Make(1988, 7, 1).GetWeekday(), 5);   // a Friday
    EXPECT_EQ(Make(2024, 9, 1).GetWeekday(), 0);   // a Sunday
    EXPECT_EQ(Make(1971, 1, 1).GetWeekday(), 5);
  }
}

TEST(DateTimeValue, SameTimeComparesTheSecond) {
  EXPECT_TRUE(Make(2024, 7, 1, 8).IsSameTime(Make(2024, 7, 1, 8)));
  EXPECT_FALSE(Make(2024, 7, 1, 8).IsSameTime(Make(2024, 7, 1, 8, 0, 1)));
  // Fields out of range carry as the calendar does: 31 June is 1 July.
  EXPECT_TRUE(Make(2024, 6, 31).IsSameTime(Make(2024, 7, 1)));
}

TEST(DateTimeValue, NowReadsTheClockAndStaysValid) {
  struct Case {
    os::LocalTime clock;
    const char* expected;
  };
  const Case cases[] = {
      {os::LocalTime{2024, 7, 10, 9, 8, 7, 0, 3}, "2024-07-10 09:08:07"},
      {os::LocalTime{1970, 12, 31, 23, 0, 0, 0, 4}, "1971-01-01 00:00:00"},
      {os::LocalTime{3000, 1, 1, 0, 0, 0, 0, 3}, "1971-01-01 00:00:00"},
  };
  for (const Case& c : cases) {
    os::VirtualClock clock(c.clock);
    os::SetClock(&clock);
    EXPECT_EQ(Text(DateTimeValue::Now()), c.expected);
    os::SetClock(nullptr);
  }
}

TEST(CivilCalendar, RoundTripsDayNumbers) {
  EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(DaysFromCivil(2000, 3, 1), 11017);
  EXPECT_EQ(DaysFromCivil(1969, 12, 31), -1);
  EXPECT_EQ(DaysFromCivil(2024, 13, 1), DaysFromCivil(2025, 1, 1));
  EXPECT_EQ(DaysFromCivil(2024, 0, 31), DaysFromCivil(2023, 12, 31));
  for (std::int64_t days = -800000; days < 800000; days += 997) {
    const CivilDate date = CivilFromDays(days);
    ASSERT_EQ(DaysFromCivil(date.year, date.month, date.day), days);
  }
  EXPECT_EQ(WeekdayFromDays(0), 4);
  EXPECT_EQ(WeekdayFromDays(-1), 3);
}

}  // namespace
