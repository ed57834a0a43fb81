#pragma once
// The geometry of a time-period picker, computed from its rectangle whenever it is needed: 7 day
// rows (Monday first) of 22 pixels under a 22-pixel hour header, and 24 hour columns after a
// 50-pixel label column. A picker narrower than 74 pixels has no hour columns and so no grid.

#include <optional>

#include "platform/os/WinTypes.h"

struct TimePeriodGrid {
  static constexpr int kLabelWidth = 50;
  static constexpr int kHeaderHeight = 22;
  static constexpr int kRowHeight = 22;
  static constexpr int kRows = 7;
  static constexpr int kSecondsPerDay = 86400;

  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  int hourWidth = 0;
  int rowHeight = kRowHeight;

  static TimePeriodGrid Of(const RECT& rc);

  bool HasGrid() const { return hourWidth > 0; }
  // The day row (0 Monday .. 6 Sunday) at y; none above or below the rows.
  std::optional<int> RowAt(long y) const;
  // The row of y held to 0..6 (for drags that leave the rows).
  int ClampedRowAt(long y) const;
  bool InColumns(long x) const { return x >= x0 && x < x1; }
  // The pixel of a time of day (seconds), and the time of day of a pixel (held to the day).
  int XOfSeconds(long seconds) const;
  long SecondsOfX(int x) const;
};
