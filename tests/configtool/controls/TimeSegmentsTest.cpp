// Time segments: their text both ways, and packing to and from the camera's table.

#include "configtool/controls/TimeSegments.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/configtool/controls/SegmentEntry.h"

namespace {

using configtool::test::SegmentEntry;

bool SameBytes(const TimeSegmentsPacked& a, const TimeSegmentsPacked& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(TimeSegments, EntryText) {
  EXPECT_EQ(FormatTimeSegment(SegmentEntry(0x43, 8, 0, 0, 18, 30, 0)), "星期一, 二, 日 08:00:00 至 18:30:00");
  EXPECT_EQ(FormatTimeSegment(SegmentEntry(0x00, 8, 0, 0, 9, 0, 0)), "星期 08:00:00 至 09:00:00");
  // Bit 7 is no day.
  EXPECT_EQ(FormatTimeSegment(SegmentEntry(0x81, 8, 0, 0, 9, 0, 0)), "星期一 08:00:00 至 09:00:00");
  EXPECT_EQ(FormatHms(7, 5, 3), "07:05:03");
}

TEST(TimeSegments, ScheduleTextLeavesOutWhatCannotApply) {
  TimeSegmentsPacked segments{};
  segments.entries[0] = SegmentEntry(0x01, 8, 0, 0, 9, 0, 0);
  segments.entries[1] = SegmentEntry(0x02, 10, 0, 0, 11, 0, 0, 0);  // empty entry
  segments.entries[2] = SegmentEntry(0x00, 12, 0, 0, 13, 0, 0);     // in use, but on no day
  segments.entries[3] = SegmentEntry(0x60, 20, 0, 0, 24, 0, 0, 2);  // in use with enable 2
  const std::string text = FormatTimeSegments(segments);
  EXPECT_EQ(text, "星期一 08:00:00 至 09:00:00;星期六, 日 20:00:00 至 24:00:00");

  // Read back, the entries are packed densely.
  TimeSegmentsPacked parsed{};
  ASSERT_TRUE(ParseTimeSegments(parsed, text));
  TimeSegmentsPacked expected{};
  expected.entries[0] = SegmentEntry(0x01, 8, 0, 0, 9, 0, 0);
  expected.entries[1] = SegmentEntry(0x60, 20, 0, 0, 24, 0, 0);
  EXPECT_TRUE(SameBytes(parsed, expected));
  EXPECT_EQ(FormatTimeSegments(TimeSegmentsPacked{}), "");
}

TEST(TimeSegments, ReadsEntries) {
  struct Case {
    const char* text;
    bool ok;
    TimeSegmentEntry entry;
  };
  const Case cases[] = {
      {"星期一,二 18:00:00-08:00:00", true, SegmentEntry(0x03, 8, 0, 0, 18, 0, 0)},
      {"星期一, 三 ,日 8:5:0 至 9:0:0", true, SegmentEntry(0x45, 8, 5, 0, 9, 0, 0)},
      {"星期日 00:00:00 至 24:00:00", true, SegmentEntry(0x40, 0, 0, 0, 24, 0, 0)},
      {"星期日 24:00:00 至 08:00:00", true, SegmentEntry(0x40, 8, 0, 0, 24, 0, 0)},
      {"星期二 08:00:00 -至 08:00:00", true, SegmentEntry(0x02, 8, 0, 0, 8, 0, 0)},
      {"星期二, 一 08:00:00 至 09:00:00", false, {}},  // day words out of order
      {"星期 08:00:00 至 09:00:00", false, {}},
      {"周一 08:00:00 至 09:00:00", false, {}},
      {"星期一 08:00 至 09:00:00", false, {}},
      {"星期一 24:00:00 至 24:00:00", false, {}},  // 24:00:00 only ends a segment
      {"星期一 24:00:01 至 08:00:00", false, {}},
      {"星期一 08:00:00 至 25:00:00", false, {}},
      {"星期一 08:60:00 至 09:00:00", false, {}},
      {"星期一 08:00:00 至 09:00:60", false, {}},
      {"星期一 264:00:00 至 09:00:00", false, {}},  // would be 8 as a byte
      {"星期一 -8:00:00 至 09:00:00", false, {}},
      {"星期一 99999999999:00:00 至 09:00:00", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TimeSegmentEntry entry = SegmentEntry(0x7F, 1, 2, 3, 4, 5, 6, 9);
    const TimeSegmentEntry before = entry;
    std::string_view text = c.text;
    ASSERT_EQ(ParseTimeSegment(entry, text), c.ok);
    const TimeSegmentEntry& expected = c.ok ? c.entry : before;
    EXPECT_EQ(std::memcmp(&entry, &expected, sizeof entry), 0);
    if (c.ok) {
      EXPECT_TRUE(text.empty());
    } else {
      EXPECT_EQ(text, c.text);
    }
  }
}

// A blank is ASCII white space only: the second byte of a GBK character is never skipped as one.
TEST(TimeSegments, BlanksAreAsciiOnly) {
  TimeSegmentEntry entry{};
  std::string text = "星期一";
  text += "\xA0\xA0";  // not white space in GBK text
  text += "08:00:00 至 09:00:00";
  std::string_view view = text;
  EXPECT_FALSE(ParseTimeSegment(entry, view));
  std::string_view tabs = "星期一\t08:00:00\t至\t09:00:00";
  EXPECT_TRUE(ParseTimeSegment(entry, tabs));
}

TEST(TimeSegments, ScheduleTextIsReadWholeOrNotAtAll) {
  const std::string one = "星期一 08:00:00 至 09:00:00";
  std::string eight;
  for (int i = 0; i < 8; ++i) eight += (i > 0 ? ";" : "") + one;
  struct Case {
    std::string text;
    bool ok;
    int entries;
  };
  const Case cases[] = {
      {eight, true, 8},
      {eight + ";" + one, false, 0},  // a ninth entry is not dropped silently
      {one + ";garbage", false, 0},
      {one + " " + one, true, 2},
      {"  " + one + " ; " + one + "  ", true, 2},
      {one + ";", true, 1},
      {"", false, 0},
      {"   ", false, 0},
      {"星期二, 一 08:00:00 至 09:00:00", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TimeSegmentsPacked segments{};
    segments.entries[7] = SegmentEntry(0x7F, 1, 0, 0, 2, 0, 0);
    const TimeSegmentsPacked before = segments;
    ASSERT_EQ(ParseTimeSegments(segments, c.text), c.ok);
    if (!c.ok) {
      EXPECT_TRUE(SameBytes(segments, before));
      continue;
    }
    int used = 0;
    for (const TimeSegmentEntry& entry : segments.entries) used += entry.enable != 0 ? 1 : 0;
    EXPECT_EQ(used, c.entries);
    EXPECT_EQ(FormatTimeSegments(segments).size(), c.entries * one.size() + (c.entries - 1));
  }
}

TEST(TimeSegments, ValidityOfASchedule) {
  TimeSegmentsPacked segments{};
  EXPECT_TRUE(AreTimeSegmentsValid(segments));
  segments.entries[2] = SegmentEntry(0x01, 0, 0, 0, 24, 0, 0);
  EXPECT_TRUE(AreTimeSegmentsValid(segments));
  segments.entries[5] = SegmentEntry(0x00, 8, 0, 0, 9, 0, 0, 0);  // an empty entry holds anything
  EXPECT_TRUE(AreTimeSegmentsValid(segments));
  for (const TimeSegmentEntry& bad : {SegmentEntry(0x00, 8, 0, 0, 9, 0, 0), SegmentEntry(0x01, 9, 0, 0, 8, 0, 0),
                                      SegmentEntry(0x01, 24, 0, 0, 24, 0, 0), SegmentEntry(0x01, 8, 0, 0, 24, 0, 1),
                                      SegmentEntry(0x01, 8, 61, 0, 9, 0, 0)}) {
    TimeSegmentsPacked invalid = segments;
    invalid.entries[0] = bad;
    EXPECT_FALSE(AreTimeSegmentsValid(invalid)) << FormatTimeSegment(bad);
  }
}

TimeSegmentTable TableWith(int enabled) {
  TimeSegmentTable table{};
  table.enabled = enabled;
  return table;
}

TEST(TimeSegments, PacksTheCameraTable) {
  TimeSegmentTable table = TableWith(1);
  table.entries[0].enable = 1;
  table.entries[0].days[0] = 1;  // Sunday
  table.entries[0].days[1] = 5;  // Monday (any non-zero flag)
  table.entries[0].startHour = 8;
  table.entries[0].startMinute = 30;
  table.entries[0].endHour = 24;
  table.entries[1].enable = 256;  // in use although its low byte is 0
  table.entries[1].days[6] = 1;   // Saturday
  table.entries[1].startHour = 1;
  table.entries[1].endHour = 2;
  table.entries[2].enable = 2;
  table.entries[2].days[3] = 1;
  table.entries[3].enable = 0;
  table.entries[3].days[3] = 1;
  table.entries[3].startHour = 5;

  TimeSegmentsPacked packed;
  std::memset(&packed, 0xEE, sizeof packed);
  PackTimeSegments(packed, table);
  TimeSegmentsPacked expected{};
  expected.entries[0] = SegmentEntry(0x41, 8, 30, 0, 24, 0, 0);
  expected.entries[1] = SegmentEntry(0x20, 1, 0, 0, 2, 0, 0);
  expected.entries[2] = SegmentEntry(0x04, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(SameBytes(packed, expected));

  // A table without time limit packs to nothing, whatever its entries hold.
  table.enabled = 0;
  PackTimeSegments(packed, table);
  EXPECT_TRUE(SameBytes(packed, TimeSegmentsPacked{}));
  EXPECT_EQ(FormatTimeSegments(packed), "");
}

TEST(TimeSegments, UnpacksIntoTheCameraTable) {
  TimeSegmentsPacked packed{};
  packed.entries[0] = SegmentEntry(0x41, 8, 30, 15, 24, 0, 0);
  packed.entries[1] = SegmentEntry(0xFF, 1, 0, 0, 2, 0, 0, 2);
  TimeSegmentTable table = TableWith(7);
  table.entries[2].days[4] = 9;  // the caller's data in an empty entry stays
  table.entries[2].enable = 1;
  UnpackTimeSegments(packed, table);
  EXPECT_EQ(table.enabled, 7);
  EXPECT_EQ(table.entries[0].enable, 1);
  const std::uint8_t days0[7] = {1, 1, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(table.entries[0].days, days0, 7), 0);
  EXPECT_EQ(table.entries[0].startHour, 8);
  EXPECT_EQ(table.entries[0].startMinute, 30);
  EXPECT_EQ(table.entries[0].startSecond, 15);
  EXPECT_EQ(table.entries[0].endHour, 24);
  EXPECT_EQ(table.entries[1].enable, 2);
  const std::uint8_t days1[7] = {1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(std::memcmp(table.entries[1].days, days1, 7), 0);
  EXPECT_EQ(table.entries[2].enable, 0);
  EXPECT_EQ(table.entries[2].days[4], 9);

  // Packed again, the schedule is the same.
  TimeSegmentsPacked again;
  table.enabled = 1;
  PackTimeSegments(again, table);
  EXPECT_EQ(FormatTimeSegments(again), FormatTimeSegments(packed));
}

}  // namespace
