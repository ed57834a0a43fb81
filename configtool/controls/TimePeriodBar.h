#pragma once
// One bar of a time-period picker: the days it covers, its ends in pixels and its colour. The
// times it stands for are kept exactly in the picker's time segments; the pixels only draw them.

#include <cstdint>

#include "configtool/controls/PeriodColor.h"
#include "configtool/controls/TimePeriodGrid.h"

struct TimePeriodBar {
  bool inUse = false;
  std::int32_t days = 0;  // bits 0..6, Monday .. Sunday; may have gaps
  std::int32_t xStart = 0;
  std::int32_t xEnd = 0;
  std::int32_t firstRow = 7;  // the lowest day row set (7 when none)
  std::int32_t lastRow = -1;  // the highest day row set (-1 when none)
  PeriodColor color;

  void RecomputeRows();
  // The bar lies under the point: a day row it covers, from its left end up to its right end.
  bool Covers(const TimePeriodGrid& grid, POINT pt) const;
};
