#include "configtool/LightSchedule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace {

CameraClientLedSchedule CameraSchedule() {
  CameraClientLedSchedule schedule;
  std::memset(&schedule, 0, sizeof schedule);
  schedule.mode = 1;
  schedule.reserved4 = 77;
  const char* bounds[4] = {"00:00:00", "07:45:00", "18:30:00", "23:59:59"};
  for (int i = 0; i < 3; ++i) {
    std::strcpy(schedule.periods[i].start, bounds[i]);
    std::strcpy(schedule.periods[i].end, bounds[i + 1]);
    schedule.periods[i].reserved = 40 + i;
    schedule.periods[i].level = i;
    schedule.periods[i].enabled = i != 1;
  }
  return schedule;
}

std::string Text(const char (&field)[16]) { return std::string(field, strnlen(field, 16)); }

TEST(LightSchedule, ReadsHourAndMinuteOfThreePartTimes) {
  const std::pair<const char*, std::optional<std::pair<int, int>>> cases[] = {
      {"08:30:00", std::pair{8, 30}}, {"23:59:59", std::pair{23, 59}}, {"8:5:", std::pair{8, 5}},
      {"08:30", std::nullopt},        {"", std::nullopt},              {"1:2:3:4", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    const auto parsed = ParseHourMinute(text);
    ASSERT_EQ(parsed.has_value(), expected.has_value()) << text;
    if (parsed) {
      EXPECT_EQ(std::pair(parsed->hour, parsed->minute), *expected) << text;
    }
  }
}

TEST(LightSchedule, LaysOutBarsAndMarks) {
  struct Case {
    int slider1, slider2;
    int bar1, bar2, bar3;
    int mark1, mark2;
    const char* text1;
    const char* text2;
  };
  const Case cases[] = {
      {16, 8, 80, 80, 80, 80, 40, "08:00", "16:00"},
      {17, 9, 85, 80, 75, 85, 45, "08:30", "16:30"},
      {0, 0, 0, 120, 120, 1, 1, "00:00", "12:00"},
      {20, 24, 100, 140, 0, 90, 90, "10:00", "24:00"},
      {19, 19, 95, 120, 25, 95, 95, "09:30", "21:30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.slider1) + "/" + std::to_string(c.slider2));
    const LightBarLayout layout = LayOutLightBars(c.slider1, c.slider2);
    EXPECT_EQ(layout.bar1Width, c.bar1);
    EXPECT_EQ(layout.bar2Width, c.bar2);
    EXPECT_EQ(layout.bar3Width, c.bar3);
    EXPECT_EQ(layout.mark1Width, c.mark1);
    EXPECT_EQ(layout.mark2Width, c.mark2);
    EXPECT_EQ(layout.mark1Text, c.text1);
    EXPECT_EQ(layout.mark2Text, c.text2);
  }
}

TEST(LightSchedule, ShowsTheCamerasSchedule) {
  const LightScheduleView view = ViewOfLightSchedule(CameraSchedule());
  EXPECT_EQ(view.slider1, 15);  // 07:45 is 15 half-hours
  EXPECT_EQ(view.slider2, 13);  // 18:30 counted from 12:00
  EXPECT_EQ(view.bar1, 1);
  EXPECT_EQ(view.bar2, 0);
  EXPECT_EQ(view.bar3, 3);
}

TEST(LightSchedule, MidnightTimesLeaveThePanelAlone) {
  CameraClientLedSchedule schedule = CameraSchedule();
  std::strcpy(schedule.periods[0].end, "00:00:00");
  std::strcpy(schedule.periods[1].end, "bad");
  std::strcpy(schedule.periods[2].start, "00:10:00");
  const LightScheduleView view = ViewOfLightSchedule(schedule);
  EXPECT_FALSE(view.slider1);
  EXPECT_FALSE(view.bar1);
  EXPECT_FALSE(view.bar2);
  EXPECT_EQ(view.slider2, -24);
  EXPECT_EQ(view.bar3, 3);
}

TEST(LightSchedule, TimesPastTheDayStopAtItsEnds) {
  CameraClientLedSchedule schedule = CameraSchedule();
  std::strcpy(schedule.periods[0].end, "99999999999:00:00");
  std::strcpy(schedule.periods[2].start, "-99999999999:00:00");
  schedule.periods[0].level = std::numeric_limits<int>::max();
  const LightScheduleView view = ViewOfLightSchedule(schedule);
  EXPECT_EQ(view.slider1, 48);
  EXPECT_EQ(view.slider2, -24);
  EXPECT_EQ(view.bar1, std::numeric_limits<int>::max()) << "a level no bar has selects nothing";
}

TEST(LightSchedule, SavesThreePeriodsFromTheSliders) {
  CameraClientLedSchedule schedule = CameraSchedule();
  FillLightSchedule(schedule, 17, 9, 2, 3, 4);
  EXPECT_EQ(schedule.mode, 3);
  EXPECT_EQ(schedule.reserved4, 77);
  const char* expected[3][2] = {{"00:00:00", "08:30:00"}, {"08:30:00", "16:30:00"}, {"16:30:00", "23:59:59"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Text(schedule.periods[i].start), expected[i][0]) << i;
    EXPECT_EQ(Text(schedule.periods[i].end), expected[i][1]) << i;
    EXPECT_EQ(schedule.periods[i].level, i + 1) << i;
    EXPECT_EQ(schedule.periods[i].enabled, 1) << i;
    EXPECT_EQ(schedule.periods[i].reserved, 40 + i) << i;
  }
}

TEST(LightSchedule, APeriodSwitchedOffKeepsWhatTheCameraGave) {
  CameraClientLedSchedule schedule = CameraSchedule();
  FillLightSchedule(schedule, 16, 8, 0, 1, 1);
  EXPECT_EQ(schedule.periods[0].enabled, 0);
  EXPECT_EQ(Text(schedule.periods[0].end), "07:45:00");
  EXPECT_EQ(schedule.periods[0].level, 0);
  // The middle period still starts at the first boundary.
  EXPECT_EQ(Text(schedule.periods[1].start), "08:00:00");
  EXPECT_EQ(schedule.periods[1].enabled, 1);
}

TEST(LightSchedule, EqualBoundariesDisableTheMiddlePeriod) {
  CameraClientLedSchedule schedule = CameraSchedule();
  FillLightSchedule(schedule, 24, 0, 1, 1, 1);
  EXPECT_EQ(Text(schedule.periods[1].start), "12:00:00");
  EXPECT_EQ(Text(schedule.periods[1].end), "12:00:00");
  EXPECT_EQ(schedule.periods[1].enabled, 0);
  EXPECT_EQ(schedule.periods[0].enabled, 1);
  EXPECT_EQ(schedule.periods[2].enabled, 1);
}

TEST(LightSchedule, ABarWithoutASelectedLevelIsOff) {
  CameraClientLedSchedule schedule = CameraSchedule();
  FillLightSchedule(schedule, 16, 8, -1, 1, 1);
  EXPECT_EQ(schedule.periods[0].enabled, 0);
  EXPECT_EQ(schedule.periods[0].level, 0);
}

}  // namespace
