#include "configtool/features/whitelist/WlistDateText.h"

#include <charconv>
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
  if (*year < 1000 || *month < 1 || *month > 12 || *day < 1 || *day > DaysOfMonth(*year, *month) || *hour > 23 ||
      *minute > 59 || *second > 59) {
    return false;
  }
  const int values[6] = {*year, *month, *day, *hour, *minute, *second};
  for (int i = 0; i < 6; ++i) time[i] = static_cast<std::int16_t>(values[i]);
  return true;
}
