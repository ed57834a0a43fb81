#include "configtool/features/whitelist/WlistDateText.h"

#include <cstdio>
#include <optional>

namespace {

bool IsLeapYear(int year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int DaysOfMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads text left to right; every step either consumes what it expects or fails.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : m_text(text) {}

  // A number of `minDigits` to `maxDigits` decimal digits.
  std::optional<int> Number(std::size_t minDigits, std::size_t maxDigits) {
    int value = 0;
    std::size_t digits = 0;
    while (digits < maxDigits && m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
      value = value * 10 + (m_text[m_at++] - '0');
      ++digits;
    }
    if (digits < minDigits) return std::nullopt;
    return value;
  }
  // One of `choices`, which it returns; 0 when the next character is none of them.
  char OneOf(std::string_view choices) {
    if (m_at >= m_text.size() || choices.find(m_text[m_at]) == std::string_view::npos) return 0;
    return m_text[m_at++];
  }
  bool Take(char c) { return OneOf(std::string_view(&c, 1)) != 0; }
  bool AtEnd() const { return m_at == m_text.size(); }

 private:
  std::string_view m_text;
  std::size_t m_at = 0;
};

std::string Format(const char* format, const WlistTime& time) {
  char text[64];
  std::snprintf(text, sizeof text, format, time[0], time[1], time[2], time[3], time[4], time[5]);
  return text;
}

}  // namespace

std::string FormatWlistCsvTime(const WlistTime& time) { return Format("%d-%02d-%02d %02d:%02d", time); }

std::string FormatWlistListTime(const WlistTime& time) { return Format("%d-%02d-%02d %02d:%02d:%02d", time); }

bool ParseWlistDateTime(std::string_view text, WlistTime& time) {
  Scanner scan(text);
  const auto year = scan.Number(4, 4);
  const char separator = scan.OneOf("-/");
  const auto month = scan.Number(1, 2);
  const bool sameSeparator = separator != 0 && scan.Take(separator);
  const auto day = scan.Number(1, 2);
  const bool blank = scan.Take(' ');
  const auto hour = scan.Number(1, 2);
  const bool colon = scan.Take(':');
  const auto minute = scan.Number(1, 2);
  std::optional<int> second = 0;
  if (scan.Take(':')) second = scan.Number(1, 2);
  if (!year || !month || !day || !hour || !minute || !second || !sameSeparator || !blank || !colon || !scan.AtEnd()) {
    return false;
  }
  if (*year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > DaysOfMonth(*year, *month) || *hour > 23 ||
      *minute > 59 || *second > 59) {
    return false;
  }
  const int values[6] = {*year, *month, *day, *hour, *minute, *second};
  for (int i = 0; i < 6; ++i) time[i] = static_cast<std::int16_t>(values[i]);
  return true;
}
