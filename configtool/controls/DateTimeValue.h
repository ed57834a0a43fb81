#pragma once
// DateTimeValue: the calendar value behind every date and time control of the tool. Six signed
// 32-bit fields in a fixed order (the dialogs read them directly); valid only with every field in
// its range and the year in 1971..2999. An invalid value can be held and is reported, never
// corrected. Operations that produce a new value return it and leave the value alone.
//
// Day arithmetic and weekdays are plain calendar arithmetic: no time zone or summer time can
// move a value by an hour or skip a day.

#include <cstdint>
#include <string>

#include "configtool/controls/CivilCalendar.h"  // IsLeapYear, DaysInMonth
#include "platform/ui/core/UIString.h"

struct DateTimeValue {
  static constexpr std::int32_t kFirstYear = 1971;
  static constexpr std::int32_t kLastYear = 2999;

  std::int32_t second = 0;
  std::int32_t minute = 0;
  std::int32_t hour = 0;
  std::int32_t day = 1;
  std::int32_t month = 0;  // 0 = January
  std::int32_t year = kFirstYear;

  // The current local time of the clock (os::GetLocalTime); the default value when the clock lies
  // outside the valid years.
  static DateTimeValue Now();

  bool IsValid() const;
  // Stores `source` only when it is valid; returns the value as it then stands.
  DateTimeValue Assign(const DateTimeValue& source);
  // Assigns the value of the parts (month 1..12); true when they made a valid value.
  bool SetDateTime(int year, int month, int day, int hour, int minute, int second);
  // Copy the date, the time of day, or all six fields from a valid source: 0; -1 (and no change)
  // for an invalid one.
  int CopyDate(const DateTimeValue& source);
  int CopyTime(const DateTimeValue& source);
  int CopyAll(const DateTimeValue& source);
  // 0 when the day exists in the value's month, else -1 and no change.
  int SetDay(int newDay);

  // Year (1 on an invalid value), month 1..12, day, hour, minute, second (-1 on an invalid value).
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  // 0 = Sunday .. 6 = Saturday; -1 on an invalid value.
  int GetWeekday() const;
  // Both values name the same second (fields out of range carry, as the clock's calendar does).
  bool IsSameTime(const DateTimeValue& other) const;

  // Shifted values. A result outside the valid range gives a copy of the value; on an invalid
  // value AddYears and AddMonths give the default value, AddDays a copy.
  DateTimeValue AddYears(int n) const;
  // The day is clamped to the new month (31 May less a month is 30 April).
  DateTimeValue AddMonths(int n) const;
  DateTimeValue AddDays(int n) const;

  // "%d-%02d-%02d %02d:%02d:%02d" and "%02d:%02d:%02d", or "日期不合法!" for an invalid value;
  // "%d-%02d-%02d" of the fields as they stand.
  ui::CDuiString Format() const;
  ui::CDuiString FormatTime() const;
  std::string FormatDate() const;

  // "year-month-day hour:minute:second" (at most 19 characters, short forms such as 2024-5-6 and
  // 2024-1-5 8:3:9 accepted) and "hour:minute:second" (at most 8; the date becomes 1971-01-01).
  // The parsed value when it is valid, else a copy of this value.
  DateTimeValue Parse(const char* text) const;
  DateTimeValue ParseTime(const char* text) const;
};
