#include "configtool/controls/TimePeriodGrid.h"

#include <algorithm>

TimePeriodGrid TimePeriodGrid::Of(const RECT& rc) {
  TimePeriodGrid grid;
  grid.x0 = static_cast<int>(rc.left) + kLabelWidth;
  grid.y0 = static_cast<int>(rc.top) + kHeaderHeight;
  grid.hourWidth = std::max(0, static_cast<int>(rc.right - rc.left) - kLabelWidth) / 24;
  grid.x1 = grid.x0 + 24 * grid.hourWidth;
  grid.y1 = static_cast<int>(rc.top) + 198;
  return grid;
}

std::optional<int> TimePeriodGrid::RowAt(long y) const {
  if (y < y0 || y >= y0 + kRows * rowHeight) return std::nullopt;
  return static_cast<int>((y - y0) / rowHeight);
}

int TimePeriodGrid::ClampedRowAt(long y) const {
  return std::clamp(static_cast<int>((y - y0) / rowHeight), 0, kRows - 1);
}

int TimePeriodGrid::XOfSeconds(long seconds) const {
  const long x = x0 + static_cast<long>(static_cast<long long>(seconds) * hourWidth / 3600);
  return static_cast<int>(std::clamp<long>(x, x0, x1));
}

long TimePeriodGrid::SecondsOfX(int x) const {
  if (!HasGrid()) return 0;
  const auto seconds = static_cast<long>(static_cast<double>(x - x0) / hourWidth * 3600);
  return std::clamp<long>(seconds, 0, kSecondsPerDay);
}
