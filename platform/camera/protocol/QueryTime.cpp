#include "platform/camera/protocol/QueryTime.h"

namespace camera::protocol {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads `digits` decimal digits at `pos` (advancing it); -1 when they are not there.
int ReadDigits(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits) {
  int value = 0;
  std::size_t count = 0;
  while (pos < text.size() && count < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++count;
  }
  return count >= minDigits ? value : -1;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

std::int64_t QueryTime::Key() const {
  return ((((static_cast<std::int64_t>(year) * 13 + month) * 32 + day) * 24 + hour) * 60 + minute) * 60 + second;
}

std::optional<QueryTime> ParseQueryTime(std::string_view text) {
  std::size_t pos = 0;
  QueryTime time;
  time.year = ReadDigits(text, pos, 1, 4);
  if (time.year < 1 || !Expect(text, pos, '-')) return std::nullopt;
  time.month = ReadDigits(text, pos, 2, 2);
  if (!Expect(text, pos, '-')) return std::nullopt;
  time.day = ReadDigits(text, pos, 2, 2);
  if (!Expect(text, pos, ' ')) return std::nullopt;
  time.hour = ReadDigits(text, pos, 2, 2);
  if (!Expect(text, pos, ':')) return std::nullopt;
  time.minute = ReadDigits(text, pos, 2, 2);
  if (!Expect(text, pos, ':')) return std::nullopt;
  time.second = ReadDigits(text, pos, 2, 2);
  if (pos != text.size()) return std::nullopt;
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > DaysInMonth(time.year, time.month)) {
    return std::nullopt;
  }
  if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
      time.second > 59) {
    return std::nullopt;
  }
  return time;
}

}  // namespace camera::protocol
