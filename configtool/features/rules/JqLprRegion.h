#pragma once
// CJqLprRegion: the recognition region, a ring like the loop that gains vertices on its edges (up
// to 9 by editing) and loses them down to 4. It draws with a thicker outline, unfilled, labelled
// "识别区域" whatever its name.

#include "configtool/features/rules/JqPolygen.h"

class CJqLprRegion : public CJqPolygen {
 public:
  void Draw(ui::gfx::Graphics& graphics) override;
  bool InsertVertex(int x, int y) override;
  bool DeleteVertex() override;
};
