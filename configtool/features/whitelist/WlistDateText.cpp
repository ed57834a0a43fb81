#include "configtool/features/whitelist/WlistDateText.h"

#include <charconv>
#include <optional>

#include "configtool/controls/CivilCalendar.h"
#include "configtool/controls/TextScanner.h"

namespace {

// A number of `minDigits` to `maxDigits` decimal digits right where the scanner stands (no blank
// or sign before it, no digit after it).
std::optional<int> Digits(TextScanner& scan, std::size_t minDigits, std::size_t maxDigits) {
  const std::string_view rest = scan.Rest();
  std::size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  std::int32_t value = 0;
  if (digits < minDigits || digits > maxDigits || scan.ReadInt(value) != TextScanner::Number::kRead) {
    return std::nullopt;
  }
  return value;
}

// As printf's "%0<width>d" does it.
void AppendNumber(std::string& text, int value, int width) {
  char digits[16];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const int length = static_cast<int>(end - digits);
  if (length < width) text.append(static_cast<std::size_t>(width - length), '0');
  text.append(digits, static_cast<std::size_t>(end - digits));
}

}  // namespace

void AppendWlistTime(std::string& text, const WlistTime& time, bool withSeconds) {
  static constexpr char kSeparators[] = "-- ::";
  AppendNumber(text, time[0], 1);
  for (int i = 1; i < (withSeconds ? 6 : 5); ++i) {
    text += kSeparators[i - 1];
    AppendNumber(text, time[i], 2);
  }
}

std::string FormatWlistCsvTime(const WlistTime& time) {
  std::string text;
  AppendWlistTime(text, time, false);
  return text;
}

std::string FormatWlistListTime(const WlistTime& time) {
  std::string text;
  AppendWlistTime(text, time, true);
  return text;
}

bool ParseWlistDateTime(std::string_view text, WlistTime& time) {
  TextScanner scan(text);
  const auto year = Digits(scan, 4, 4);
  const char* separator = scan.Consume("-") ? "-" : scan.Consume("/") ? "/" : nullptr;
  const auto month = Digits(scan, 1, 2);
  const bool sameSeparator = separator != nullptr && scan.Consume(separator);
  const auto day = Digits(scan, 1, 2);
  const bool blank = scan.Consume(" ");
  const auto hour = Digits(scan, 1, 2);
  const bool colon = scan.Consume(":");
  const auto minute = Digits(scan, 1, 2);
  std::optional<int> second = 0;
  if (scan.Consume(":")) second = Digits(scan, 1, 2);
  if (!year || !month || !day || !hour || !minute || !second || !sameSeparator || !blank || !colon || !scan.AtEnd()) {
    return false;
  }
  if (*year < 1000 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 || *minute > 59 || *second > 59) {
    return false;
  }
  const int values[6] = {*year, *month, *day, *hour, *minute, *second};
  for (int i = 0; i < 6; ++i) time[i] = static_cast<std::int16_t>(values[i]);
  return true;
}
