#pragma once
// Time-segment text for the tests, in the tool's form ("星期一, 二, 日 08:00:00 至 18:30:00", entries
// joined by ";"), so that files carry texts of the real length and with their commas. It reads back
// what it writes; the tool's own functions come with its controls.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "configtool/features/whitelist/WlistSegmentCodec.h"

namespace wlist::test {

// Monday first, as the text lists them; the table keeps Sunday first.
inline constexpr const char* kDayWords[7] = {"一", "二", "三", "四", "五", "六", "日"};
inline int TableDay(int word) { return (word + 1) % 7; }

inline void FormatSegments(const TimeSegmentTable& table, std::string& text) {
  if (table.enabled == 0) return;
  bool first = true;
  for (const CameraClientTimeSegment& entry : table.entries) {
    if (entry.enable == 0) continue;
    if (!first) text += ';';
    first = false;
    text += "星期";
    bool firstDay = true;
    for (int word = 0; word < 7; ++word) {
      if (entry.days[TableDay(word)] == 0) continue;
      if (!firstDay) text += ", ";
      firstDay = false;
      text += kDayWords[word];
    }
    char times[64];
    std::snprintf(times, sizeof times, " %02d:%02d:%02d 至 %02d:%02d:%02d", entry.startHour, entry.startMinute,
                  entry.startSecond, entry.endHour, entry.endMinute, entry.endSecond);
    text += times;
  }
}

inline bool ParseEntry(std::string_view text, CameraClientTimeSegment& entry) {
  const std::string_view week = "星期";
  if (text.substr(0, week.size()) != week) return false;
  text.remove_prefix(week.size());
  for (int word = 0; word < 7; ++word) {
    const std::string_view day = kDayWords[word];
    if (text.substr(0, day.size()) != day) continue;
    entry.days[TableDay(word)] = 1;
    text.remove_prefix(day.size());
    if (text.substr(0, 2) == ", ") text.remove_prefix(2);
  }
  int v[6] = {};
  const std::string times(text);
  if (std::sscanf(times.c_str(), " %d:%d:%d 至 %d:%d:%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) != 6) return false;
  entry.enable = 1;
  entry.startHour = static_cast<std::int16_t>(v[0]);
  entry.startMinute = static_cast<std::int16_t>(v[1]);
  entry.startSecond = static_cast<std::int16_t>(v[2]);
  entry.endHour = static_cast<std::int16_t>(v[3]);
  entry.endMinute = static_cast<std::int16_t>(v[4]);
  entry.endSecond = static_cast<std::int16_t>(v[5]);
  return true;
}

inline void ParseSegments(const std::string& text, TimeSegmentTable& table) {
  table.enabled = 1;
  std::string_view rest = text;
  for (CameraClientTimeSegment& entry : table.entries) {
    if (rest.empty()) break;
    const std::size_t end = rest.find(';');
    if (!ParseEntry(rest.substr(0, end), entry)) break;
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
}

inline WlistSegmentCodec SegmentCodec() { return WlistSegmentCodec{FormatSegments, ParseSegments}; }

// Eight segments on every day of the week: the longest schedule the tool writes.
inline TimeSegmentTable FullWeekSchedule() {
  TimeSegmentTable table{};
  table.enabled = 1;
  for (int k = 0; k < 8; ++k) {
    CameraClientTimeSegment& entry = table.entries[k];
    entry.enable = 1;
    std::memset(entry.days, 1, sizeof entry.days);
    entry.startHour = static_cast<std::int16_t>(k * 3);
    entry.startMinute = 15;
    entry.endHour = static_cast<std::int16_t>(k * 3 + 2);
    entry.endMinute = 59;
    entry.endSecond = 59;
  }
  return table;
}

}  // namespace wlist::test
