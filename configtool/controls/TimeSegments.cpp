#include "configtool/controls/TimeSegments.h"

#include <tuple>
#include <utility>

#include "configtool/controls/TextScanner.h"

namespace {

// Views, so that reading a text never measures a word again.
constexpr std::string_view kDayWords[kTimeSegmentDays] = {"一", "二", "三", "四", "五", "六", "日"};
constexpr std::string_view kWeekPrefix = "星期";
constexpr std::string_view kUntil = "至";

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && IsAsciiBlank(text.front())) text.remove_prefix(1);
}

// Byte by byte: the literals are a few bytes long, and the first byte settles most tries.
bool Consume(std::string_view& text, std::string_view literal) {
  if (text.size() < literal.size()) return false;
  for (std::size_t i = 0; i < literal.size(); ++i) {
    if (text[i] != literal[i]) return false;
  }
  text.remove_prefix(literal.size());
  return true;
}

bool ReadNumber(std::string_view& text, int low, int high, std::uint8_t& out) {
  TextScanner scanner(text);
  std::int32_t value = 0;
  if (scanner.ReadInt(value) != TextScanner::Number::kRead || value < low || value > high) return false;
  out = static_cast<std::uint8_t>(value);
  text = scanner.Rest();
  return true;
}

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

bool ReadHms(std::string_view& text, Hms& hms) { return ParseHms(text, hms.hour, hms.minute, hms.second); }

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
    text += kDayWords[bit];
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

const char* TimeSegmentDayWord(int bit) { return bit >= 0 && bit < kTimeSegmentDays ? kDayWords[bit].data() : ""; }

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
  std::string_view rest = text;
  Hms hms;
  if (!ReadNumber(rest, 0, 24, hms.hour) || !Consume(rest, ":") || !ReadNumber(rest, 0, 59, hms.minute) ||
      !Consume(rest, ":") || !ReadNumber(rest, 0, 59, hms.second)) {
    return false;
  }
  if (!hms.IsClockTime() && !hms.IsEndOfDay()) return false;
  hour = hms.hour;
  minute = hms.minute;
  second = hms.second;
  text = rest;
  return true;
}

bool ParseTimeSegment(TimeSegmentEntry& entry, std::string_view& text) {
  std::string_view rest = text;
  if (!Consume(rest, kWeekPrefix)) return false;
  SkipBlanks(rest);
  std::uint8_t days = 0;
  for (int bit = 0; bit < kTimeSegmentDays; ++bit) {
    if (!Consume(rest, kDayWords[bit])) continue;
    days |= static_cast<std::uint8_t>(1u << bit);
    SkipBlanks(rest);
    Consume(rest, ",");
    SkipBlanks(rest);
  }
  if (days == 0) return false;
  Hms start;
  Hms end;
  if (!ReadHms(rest, start)) return false;
  SkipBlanks(rest);
  Consume(rest, "-");
  Consume(rest, kUntil);
  SkipBlanks(rest);
  if (!ReadHms(rest, end)) return false;
  if (end.Key() < start.Key()) std::swap(start, end);
  if (start.IsEndOfDay()) return false;
  entry = TimeSegmentEntry{1, days, start.hour, start.minute, start.second, 0, end.hour, end.minute, end.second, 0};
  text = rest;
  return true;
}

bool ParseTimeSegments(TimeSegmentsPacked& segments, std::string_view text) {
  TimeSegmentsPacked parsed{};
  SkipBlanks(text);
  int count = 0;
  while (!text.empty()) {
    if (count == kTimeSegmentCount) return false;
    if (!ParseTimeSegment(parsed.entries[count], text)) return false;
    ++count;
    SkipBlanks(text);
    Consume(text, ";");
    SkipBlanks(text);
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
