#include "configtool/LightSchedule.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <vector>

#include "common/DecimalText.h"
#include "common/FixedText.h"
#include "common/StringUtil.h"

namespace {

constexpr int kDayWidth = 240;
constexpr int kHalfDayWidth = 120;
constexpr int kPixelsPerHalfHour = 5;
constexpr int kScheduledMode = 3;
constexpr std::int64_t kHalfHoursPerDay = 48;

int MarkWidth(int slider) {
  const int width = kPixelsPerHalfHour * slider;
  if (slider == 0) return 1;
  return width >= 100 ? 90 : width;
}

// "hh:00" or "hh:30" (with `seconds`, "hh:00:00" or "hh:30:00") of a half-hour count.
std::string HalfHourText(int halfHours, int hourOffset, bool seconds) {
  char text[32];
  const int hour = halfHours / 2 + hourOffset;
  const bool half = halfHours % 2 != 0;
  std::snprintf(text, sizeof text, seconds ? (half ? "%02d:30:00" : "%02d:00:00") : (half ? "%02d:30" : "%02d:00"),
                hour);
  return text;
}

// The numbers come from the camera: a time past the day's ends stops at them (where the sliders
// stop too), and no number overflows.
int HalfHoursOf(const HourMinute& time) {
  const std::int64_t halfHours = 2 * std::int64_t{time.hour} + time.minute / 30;
  return static_cast<int>(std::clamp<std::int64_t>(halfHours, 0, kHalfHoursPerDay));
}

int BarSelection(const CameraClientLedPeriod& period) {
  if (period.enabled == 0) return 0;
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{period.level} + 1, std::numeric_limits<int>::max()));
}

// A time that is present and not midnight.
std::optional<HourMinute> SetTime(const char (&field)[16]) {
  const std::optional<HourMinute> time = ParseHourMinute(FieldText(field));
  if (!time || (time->hour == 0 && time->minute == 0)) return std::nullopt;
  return time;
}

// A bar without a level (no item selected) counts as off.
void FillPeriod(CameraClientLedPeriod& period, int bar, const std::string& start, const std::string& end, bool enabled) {
  if (bar <= 0) {
    period.enabled = 0;
    return;
  }
  CopyToField(period.start, start);
  CopyToField(period.end, end);
  period.level = bar - 1;
  period.enabled = enabled ? 1 : 0;
}

}  // namespace

std::optional<HourMinute> ParseHourMinute(const std::string& text) {
  std::vector<std::string> parts;
  SplitString(text, ":", parts);
  if (parts.size() != 3) return std::nullopt;
  return HourMinute{static_cast<int>(ParseDecimalText(parts[0])), static_cast<int>(ParseDecimalText(parts[1]))};
}

LightBarLayout LayOutLightBars(int slider1, int slider2) {
  LightBarLayout layout;
  layout.bar1Width = kPixelsPerHalfHour * slider1;
  layout.bar3Width = kHalfDayWidth - kPixelsPerHalfHour * slider2;
  layout.bar2Width = kDayWidth - layout.bar1Width - layout.bar3Width;
  layout.mark1Width = MarkWidth(slider1);
  layout.mark2Width = MarkWidth(slider2);
  layout.mark1Text = HalfHourText(slider1, 0, false);
  layout.mark2Text = HalfHourText(slider2, 12, false);
  return layout;
}

LightScheduleView ViewOfLightSchedule(const CameraClientLedSchedule& schedule) {
  LightScheduleView view;
  const CameraClientLedPeriod* periods = schedule.periods;
  if (const auto end = SetTime(periods[0].end)) {
    view.slider1 = HalfHoursOf(*end);
    view.bar1 = BarSelection(periods[0]);
  }
  if (SetTime(periods[1].end)) view.bar2 = BarSelection(periods[1]);
  if (const auto start = SetTime(periods[2].start)) {
    view.slider2 = HalfHoursOf(*start) - 24;
    view.bar3 = BarSelection(periods[2]);
  }
  return view;
}

void FillLightSchedule(CameraClientLedSchedule& schedule, int slider1, int slider2, int bar1, int bar2, int bar3) {
  schedule.mode = kScheduledMode;
  const std::string first = HalfHourText(slider1, 0, true);
  const std::string second = HalfHourText(slider2, 12, true);
  FillPeriod(schedule.periods[0], bar1, "00:00:00", first, true);
  FillPeriod(schedule.periods[1], bar2, first, second, first != second);
  FillPeriod(schedule.periods[2], bar3, second, "23:59:59", true);
}
