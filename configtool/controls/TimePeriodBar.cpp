#include "configtool/controls/TimePeriodBar.h"

void TimePeriodBar::RecomputeRows() {
  firstRow = TimePeriodGrid::kRows;
  lastRow = -1;
  for (int row = 0; row < TimePeriodGrid::kRows; ++row) {
    if ((days & (1 << row)) == 0) continue;
    if (row < firstRow) firstRow = row;
    lastRow = row;
  }
}

bool TimePeriodBar::Covers(const TimePeriodGrid& grid, POINT pt) const {
  const auto row = grid.RowAt(pt.y);
  return inUse && row.has_value() && (days & (1 << *row)) != 0 && pt.x - xStart >= 0 && xEnd - pt.x > 0;
}
