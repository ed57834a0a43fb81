#pragma once
// The fill light's day schedule as the main window's panel shows it: three period bars on a day of
// 240 pixels (10 per hour), split by two sliders counted in half-hours (the first from 00:00, the
// second from 12:00). Bar selection 0 means the period is off, k means level k - 1.

#include <optional>
#include <string>

#include "cameraclient/CameraClient.h"

struct HourMinute {
  int hour = 0;
  int minute = 0;
};

// "hh:mm:ss" as hour and minute; nothing unless the text has exactly three parts.
std::optional<HourMinute> ParseHourMinute(const std::string& text);

// Widths and texts of the bars and marks for the two slider values.
struct LightBarLayout {
  int bar1Width = 0;
  int bar2Width = 0;
  int bar3Width = 0;
  int mark1Width = 0;
  int mark2Width = 0;
  std::string mark1Text;  // "08:00", "08:30"
  std::string mark2Text;
};
LightBarLayout LayOutLightBars(int slider1, int slider2);

// What a schedule from the camera sets on the panel; nothing where the schedule leaves it alone.
struct LightScheduleView {
  std::optional<int> slider1;
  std::optional<int> slider2;
  std::optional<int> bar1;
  std::optional<int> bar2;
  std::optional<int> bar3;
};
LightScheduleView ViewOfLightSchedule(const CameraClientLedSchedule& schedule);

// Writes the panel into `schedule` (the camera's current record): mode 3 and the three periods.
void FillLightSchedule(CameraClientLedSchedule& schedule, int slider1, int slider2, int bar1, int bar2, int bar3);
