#pragma once
// Float points and rectangles of the programs' own painting (gfx::Graphics), in pixels.

namespace ui::gfx {

struct PointF {
  float x = 0;
  float y = 0;
};

struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

}  // namespace ui::gfx
