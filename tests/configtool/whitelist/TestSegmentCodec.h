#pragma once
// Time-segment text for the tests, in the tool's form ("星期一, 二, 日 08:00:00 至 18:30:00", entries
// joined by ";"), so that files carry texts of the real length and with their commas. It reads back
// what it writes; the tool's own functions come with its controls.

#include <cstring>
#include <string>
#include <string_view>

#include "configtool/features/whitelist/WlistSegmentCodec.h"

namespace wlist::test {

// Monday first, as the text lists them; the table keeps Sunday first.
inline constexpr const char* kDayWords[7] = {"一", "二", "三", "四", "五", "六", "日"};
inline int TableDay(int word) { return (word + 1) % 7; }

// Builds one entry's text in place: the benchmark formats eight of these per record.
class EntryText {
 public:
  void Put(std::string_view text) {
    std::memcpy(m_text + m_length, text.data(), text.size());
    m_length += text.size();
  }
  // "%02d:%02d:%02d" of values the table's int16 fields may hold.
  void PutHms(int hour, int minute, int second) {
    const int values[3] = {hour, minute, second};
    for (int i = 0; i < 3; ++i) {
      if (i > 0) Put(":");
      if (values[i] >= 0 && values[i] <= 99) {
        const char digits[2] = {static_cast<char>('0' + values[i] / 10), static_cast<char>('0' + values[i] % 10)};
        Put(std::string_view(digits, 2));
      } else {
        Put(std::to_string(values[i]));
      }
    }
  }
  std::string_view View() const { return std::string_view(m_text, m_length); }

 private:
  char m_text[160];
  std::size_t m_length = 0;
};

inline void FormatSegments(const TimeSegmentTable& table, std::string& text) {
  if (table.enabled == 0) return;
  bool first = true;
  for (const CameraClientTimeSegment& entry : table.entries) {
    if (entry.enable == 0) continue;
    EntryText line;
    if (!first) line.Put(";");
    first = false;
    line.Put("星期");
    bool firstDay = true;
    for (int word = 0; word < 7; ++word) {
      if (entry.days[TableDay(word)] == 0) continue;
      if (!firstDay) line.Put(", ");
      firstDay = false;
      line.Put(kDayWords[word]);
    }
    line.Put(" ");
    line.PutHms(entry.startHour, entry.startMinute, entry.startSecond);
    line.Put(" 至 ");
    line.PutHms(entry.endHour, entry.endMinute, entry.endSecond);
    text.append(line.View());
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
  // " hh:mm:ss 至 hh:mm:ss", two digits each.
  const std::string_view to = " 至 ";
  if (text.size() != 1 + 8 + to.size() + 8 || text[0] != ' ' || text.substr(9, to.size()) != to) return false;
  int v[6] = {};
  for (int i = 0; i < 6; ++i) {
    const std::size_t at = (i < 3 ? 1 : 9 + to.size()) + static_cast<std::size_t>(i % 3) * 3;
    v[i] = (text[at] - '0') * 10 + (text[at + 1] - '0');
  }
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
