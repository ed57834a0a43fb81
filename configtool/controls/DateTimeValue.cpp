#include "configtool/controls/DateTimeValue.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "configtool/controls/CivilCalendar.h"
#include "configtool/controls/TextScanner.h"
#include "platform/os/LocalTime.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr const char* kInvalidText = "日期不合法!";
constexpr std::size_t kFullTextLimit = 19;
constexpr std::size_t kTimeTextLimit = 8;

// Days of a 0-based month, or -1 for a month outside 0..11.
int DaysOfMonthIndex(int year, int month) {
  if (month < 0 || month > 11) return -1;
  return DaysInMonth(year, month + 1);
}

bool InRange(std::int64_t value, std::int64_t low, std::int64_t high) { return value >= low && value <= high; }

// Seconds since 1970-01-01 00:00:00 of the fields, out-of-range fields carrying over.
std::int64_t CalendarSeconds(const DateTimeValue& value) {
  return DaysFromCivil(value.year, static_cast<std::int64_t>(value.month) + 1, value.day) * kSecondsPerDay +
         static_cast<std::int64_t>(value.hour) * 3600 + static_cast<std::int64_t>(value.minute) * 60 + value.second;
}

DateTimeValue FromCalendarSeconds(std::int64_t seconds) {
  const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const std::int64_t inDay = seconds - days * kSecondsPerDay;
  const CivilDate date = CivilFromDays(days);
  DateTimeValue value;
  value.year = InRange(date.year, DateTimeValue::kFirstYear, DateTimeValue::kLastYear)
                   ? static_cast<std::int32_t>(date.year)
                   : 0;
  value.month = date.month - 1;
  value.day = date.day;
  value.hour = static_cast<std::int32_t>(inDay / 3600);
  value.minute = static_cast<std::int32_t>(inDay % 3600 / 60);
  value.second = static_cast<std::int32_t>(inDay % 60);
  return value;
}

// Reads up to `count` numbers as sscanf reads "%d", with `separators[i]` between number i and
// i + 1 (a blank stands for any run of blanks, none included). Fields not reached keep their
// values. False when a number overflows.
bool ScanFields(const char* text, const char* separators, std::int32_t* const* fields, int count) {
  TextScanner scanner(text);
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      const char separator = separators[i - 1];
      if (separator == ' ') {
        scanner.SkipBlanks();
      } else if (!scanner.Consume(std::string_view(&separator, 1))) {
        return true;
      }
    }
    std::int32_t number = 0;
    const TextScanner::Number read = scanner.ReadInt(number);
    if (read == TextScanner::Number::kOverflow) return false;
    if (read == TextScanner::Number::kNone) return true;
    *fields[i] = number;
  }
  return true;
}

bool LengthWithin(const char* text, std::size_t limit) {
  if (text == nullptr) return false;
  const std::size_t length = std::strlen(text);
  return length > 0 && length <= limit;
}

}  // namespace

bool IsLeapYear(int year) {
  const auto y = static_cast<std::uint16_t>(year);
  return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0);
}

int DaysInMonth(int year, int month) {
  switch (static_cast<std::uint16_t>(month)) {
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      return 31;
    default:
      return 0;
  }
}

DateTimeValue DateTimeValue::Now() {
  const os::LocalTime now = os::GetLocalTime();
  DateTimeValue value;
  value.second = now.second;
  value.minute = now.minute;
  value.hour = now.hour;
  value.day = now.day;
  value.month = now.month - 1;
  value.year = now.year;
  return value.IsValid() ? value : DateTimeValue();
}

bool DateTimeValue::IsValid() const {
  if (!InRange(year, kFirstYear, kLastYear)) return false;
  const int days = DaysOfMonthIndex(year, month);
  return days > 0 && InRange(day, 1, days) && InRange(hour, 0, 23) && InRange(minute, 0, 59) &&
         InRange(second, 0, 59);
}

DateTimeValue DateTimeValue::Assign(const DateTimeValue& source) {
  if (source.IsValid()) *this = source;
  return *this;
}

bool DateTimeValue::SetDateTime(int newYear, int newMonth, int newDay, int newHour, int newMinute, int newSecond) {
  if (newMonth == std::numeric_limits<int>::min()) return false;
  DateTimeValue value;
  value.year = newYear;
  value.month = newMonth - 1;
  value.day = newDay;
  value.hour = newHour;
  value.minute = newMinute;
  value.second = newSecond;
  if (!value.IsValid()) return false;
  *this = value;
  return true;
}

int DateTimeValue::CopyDate(const DateTimeValue& source) {
  if (!source.IsValid()) return -1;
  year = source.year;
  month = source.month;
  day = source.day;
  return 0;
}

int DateTimeValue::CopyTime(const DateTimeValue& source) {
  if (!source.IsValid()) return -1;
  hour = source.hour;
  minute = source.minute;
  second = source.second;
  return 0;
}

int DateTimeValue::CopyAll(const DateTimeValue& source) {
  if (!source.IsValid()) return -1;
  *this = source;
  return 0;
}

int DateTimeValue::SetDay(int newDay) {
  const int days = DaysOfMonthIndex(year, month);
  if (days < 0 || newDay > days) return -1;
  day = newDay;
  return 0;
}

int DateTimeValue::GetYear() const { return IsValid() ? year : 1; }
int DateTimeValue::GetMonth() const { return IsValid() ? month + 1 : -1; }
int DateTimeValue::GetDay() const { return IsValid() ? day : -1; }
int DateTimeValue::GetHour() const { return IsValid() ? hour : -1; }
int DateTimeValue::GetMinute() const { return IsValid() ? minute : -1; }
int DateTimeValue::GetSecond() const { return IsValid() ? second : -1; }

int DateTimeValue::GetWeekday() const {
  if (!IsValid()) return -1;
  return WeekdayFromDays(DaysFromCivil(year, month + 1, day));
}

bool DateTimeValue::IsSameTime(const DateTimeValue& other) const {
  return CalendarSeconds(*this) == CalendarSeconds(other);
}

DateTimeValue DateTimeValue::AddYears(int n) const {
  if (!IsValid()) return DateTimeValue();
  const std::int64_t newYear = static_cast<std::int64_t>(year) + n;
  if (!InRange(newYear, kFirstYear, kLastYear)) return *this;
  DateTimeValue result = *this;
  result.year = static_cast<std::int32_t>(newYear);
  return result.IsValid() ? result : *this;
}

DateTimeValue DateTimeValue::AddMonths(int n) const {
  if (!IsValid()) return DateTimeValue();
  const std::int64_t months = static_cast<std::int64_t>(month) + n;
  const std::int64_t newYear = year + FloorDiv(months, 12);
  if (!InRange(newYear, kFirstYear, kLastYear)) return *this;
  DateTimeValue result = *this;
  result.year = static_cast<std::int32_t>(newYear);
  result.month = static_cast<std::int32_t>(months - FloorDiv(months, 12) * 12);
  const int days = DaysOfMonthIndex(result.year, result.month);
  if (result.day > days) result.day = days;
  return result;
}

DateTimeValue DateTimeValue::AddDays(int n) const {
  if (!IsValid()) return *this;
  const std::int64_t seconds = CalendarSeconds(*this) + static_cast<std::int64_t>(n) * kSecondsPerDay;
  if (seconds <= 0) return *this;
  const DateTimeValue result = FromCalendarSeconds(seconds);
  return result.IsValid() ? result : *this;
}

ui::CDuiString DateTimeValue::Format() const {
  ui::CDuiString text;
  if (!IsValid()) return kInvalidText;
  text.Format("%d-%02d-%02d %02d:%02d:%02d", year, month + 1, day, hour, minute, second);
  return text;
}

ui::CDuiString DateTimeValue::FormatTime() const {
  ui::CDuiString text;
  if (!IsValid()) return kInvalidText;
  text.Format("%02d:%02d:%02d", hour, minute, second);
  return text;
}

std::string DateTimeValue::FormatDate() const {
  ui::CDuiString text;
  text.Format("%d-%02d-%02d", year, month + 1, day);
  return text.Str();
}

DateTimeValue DateTimeValue::Parse(const char* text) const {
  if (!LengthWithin(text, kFullTextLimit)) return *this;
  DateTimeValue parsed;
  std::int32_t* const fields[] = {&parsed.year, &parsed.month, &parsed.day, &parsed.hour, &parsed.minute, &parsed.second};
  if (!ScanFields(text, "-- ::", fields, 6)) return *this;
  parsed.month -= 1;
  return parsed.IsValid() ? parsed : *this;
}

DateTimeValue DateTimeValue::ParseTime(const char* text) const {
  if (!LengthWithin(text, kTimeTextLimit)) return *this;
  DateTimeValue parsed;
  std::int32_t* const fields[] = {&parsed.hour, &parsed.minute, &parsed.second};
  if (!ScanFields(text, "::", fields, 3)) return *this;
  return parsed.IsValid() ? parsed : *this;
}
