#include "configtool/controls/TimeSegments.h"

#include <tuple>
#include <utility>

#include "configtool/controls/TextScanner.h"

namespace {

// Views, so that reading a text never measures a word again.
constexpr std::string_view kWeekPrefix = "星期";
constexpr std::string_view kUntil = "至";

struct Hms {
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  std::uint8_t second = 0;

  auto Key() const { return std::tie(hour, minute, second); }
  bool IsClockTime() const { return hour <= 23 && minute <= 59 && second <= 59; }
  bool IsEndOfDay() const { return hour == 24 && minute == 0 && second == 0; }
};

Hms StartOf(const TimeSegmentEntry& entry) { return Hms{entry.startHour, entry.startMinute, entry.startSecond}; }
Hms EndOf(const TimeSegmentEntry& entry) { return Hms{entry.endHour, entry.endMinute, entry.endSecond}; }

bool ReadNumber(TextScanner& scanner, int low, int high, std::uint8_t& out) {
  std::int32_t value = 0;
  if (scanner.ReadInt(value) != TextScanner::Number::kRead || value < low || value > high) return false;
  out = static_cast<std::uint8_t>(value);
  return true;
}

// A clock time, or 24:00:00.
bool ReadHms(TextScanner& scanner, Hms& hms) {
  return ReadNumber(scanner, 0, 24, hms.hour) && scanner.Consume(":") && ReadNumber(scanner, 0, 59, hms.minute) &&
         scanner.Consume(":") && ReadNumber(scanner, 0, 59, hms.second) && (hms.IsClockTime() || hms.IsEndOfDay());
}

// Day words in table order, each at most once, with "," and blanks after each.
std::uint8_t ReadDays(TextScanner& scanner) {
  std::uint8_t days = 0;
  for (int bit = 0; bit < kTimeSegmentDays; ++bit) {
    if (!scanner.Consume(TimeSegmentDayWords[bit])) continue;
    days |= static_cast<std::uint8_t>(1u << bit);
    scanner.SkipBlanks();
    scanner.Consume(",");
    scanner.SkipBlanks();
  }
  return days;
}

bool ReadEntry(TextScanner& scanner, TimeSegmentEntry& entry) {
  if (!scanner.Consume(kWeekPrefix)) return false;
  scanner.SkipBlanks();
  const std::uint8_t days = ReadDays(scanner);
  Hms start;
  Hms end;
  if (days == 0 || !ReadHms(scanner, start)) return false;
  scanner.SkipBlanks();
  scanner.Consume("-");
  scanner.Consume(kUntil);
  scanner.SkipBlanks();
  if (!ReadHms(scanner, end)) return false;
  if (end.Key() < start.Key()) std::swap(start, end);
  if (start.IsEndOfDay()) return false;
  entry = TimeSegmentEntry{1, days, start.hour, start.minute, start.second, 0, end.hour, end.minute, end.second, 0};
  return true;
}

// "%02d" of a byte, without the cost of printf: the whitelist export writes eight entries a record.
void AppendTwoDigits(std::string& text, std::uint8_t value) {
  if (value >= 100) text += static_cast<char>('0' + value / 100);
  text += static_cast<char>('0' + value / 10 % 10);
  text += static_cast<char>('0' + value % 10);
}

void AppendHms(std::string& text, std::uint8_t hour, std::uint8_t minute, std::uint8_t second) {
  AppendTwoDigits(text, hour);
  text += ':';
  AppendTwoDigits(text, minute);
  text += ':';
  AppendTwoDigits(text, second);
}

void AppendTimeSegment(std::string& text, const TimeSegmentEntry& entry) {
  text += kWeekPrefix;
  bool first = true;
  for (int bit = 0; bit < kTimeSegmentDays; ++bit) {
    if ((entry.days & (1u << bit)) == 0) continue;
    if (!first) text += ", ";
    text += TimeSegmentDayWords[bit];
    first = false;
  }
  text += ' ';
  AppendHms(text, entry.startHour, entry.startMinute, entry.startSecond);
  text += ' ';
  text += kUntil;
  text += ' ';
  AppendHms(text, entry.endHour, entry.endMinute, entry.endSecond);
}

bool IsEntryValid(const TimeSegmentEntry& entry) {
  const Hms start = StartOf(entry);
  const Hms end = EndOf(entry);
  return (entry.days & kTimeSegmentDayMask) != 0 && start.IsClockTime() && (end.IsClockTime() || end.IsEndOfDay()) &&
         start.Key() <= end.Key();
}

}  // namespace


std::string FormatHms(std::uint8_t hour, std::uint8_t minute, std::uint8_t second) {
  std::string text;
  AppendHms(text, hour, minute, second);
  return text;
}

std::string FormatTimeSegment(const TimeSegmentEntry& entry) {
  std::string text;
  AppendTimeSegment(text, entry);
  return text;
}

std::string FormatTimeSegments(const TimeSegmentsPacked& segments) {
  std::string text;
  for (const TimeSegmentEntry& entry : segments.entries) {
    if (entry.enable == 0 || (entry.days & kTimeSegmentDayMask) == 0) continue;
    // Room for eight entries of every day, the longest, so that the text grows once.
    if (text.empty()) text.reserve(kTimeSegmentCount * 56);
    if (!text.empty()) text += ';';
    AppendTimeSegment(text, entry);
  }
  return text;
}

bool ParseHms(std::string_view& text, std::uint8_t& hour, std::uint8_t& minute, std::uint8_t& second) {
  TextScanner scanner(text);
  Hms hms;
  if (!ReadHms(scanner, hms)) return false;
  hour = hms.hour;
  minute = hms.minute;
  second = hms.second;
  text = scanner.Rest();
  return true;
}

bool ParseTimeSegment(TimeSegmentEntry& entry, std::string_view& text) {
  TextScanner scanner(text);
  TimeSegmentEntry parsed{};
  if (!ReadEntry(scanner, parsed)) return false;
  entry = parsed;
  text = scanner.Rest();
  return true;
}

bool ParseTimeSegments(TimeSegmentsPacked& segments, std::string_view text) {
  TimeSegmentsPacked parsed{};
  TextScanner scanner(text);
  scanner.SkipBlanks();
  int count = 0;
  while (!scanner.AtEnd()) {
    if (count == kTimeSegmentCount || !ReadEntry(scanner, parsed.entries[count])) return false;
    ++count;
    scanner.SkipBlanks();
    scanner.Consume(";");
    scanner.SkipBlanks();
  }
  if (count == 0) return false;
  segments = parsed;
  return true;
}

bool AreTimeSegmentsValid(const TimeSegmentsPacked& segments) {
  for (const TimeSegmentEntry& entry : segments.entries) {
    if (entry.enable != 0 && !IsEntryValid(entry)) return false;
  }
  return true;
}

void PackTimeSegments(TimeSegmentsPacked& packed, const TimeSegmentTable& table) {
  packed = TimeSegmentsPacked{};
  if (table.enabled == 0) return;
  for (int k = 0; k < kTimeSegmentCount; ++k) {
    const CameraClientTimeSegment& source = table.entries[k];
    TimeSegmentEntry& entry = packed.entries[k];
    // Any non-zero enable is in use; its low byte alone could be 0 (256).
    entry.enable = source.enable != 0 ? 1 : 0;
    if (entry.enable == 0) continue;
    for (int weekday = 1; weekday <= 6; ++weekday) {
      if (source.days[weekday] != 0) entry.days |= static_cast<std::uint8_t>(1u << (weekday - 1));
    }
    if (source.days[0] != 0) entry.days |= 1u << 6;
    entry.startHour = static_cast<std::uint8_t>(source.startHour);
    entry.startMinute = static_cast<std::uint8_t>(source.startMinute);
    entry.startSecond = static_cast<std::uint8_t>(source.startSecond);
    entry.endHour = static_cast<std::uint8_t>(source.endHour);
    entry.endMinute = static_cast<std::uint8_t>(source.endMinute);
    entry.endSecond = static_cast<std::uint8_t>(source.endSecond);
  }
}

void UnpackTimeSegments(const TimeSegmentsPacked& packed, TimeSegmentTable& table) {
  for (int k = 0; k < kTimeSegmentCount; ++k) {
    const TimeSegmentEntry& entry = packed.entries[k];
    CameraClientTimeSegment& target = table.entries[k];
    target.enable = entry.enable;
    if (entry.enable == 0) continue;
    for (int weekday = 1; weekday <= 6; ++weekday) target.days[weekday] = (entry.days >> (weekday - 1)) & 1u;
    target.days[0] = (entry.days >> 6) & 1u;
    target.startHour = entry.startHour;
    target.startMinute = entry.startMinute;
    target.startSecond = entry.startSecond;
    target.endHour = entry.endHour;
    target.endMinute = entry.endMinute;
    target.endSecond = entry.endSecond;
  }
}
