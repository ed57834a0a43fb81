#pragma once
// The colour (ARGB) and width of drawn outlines.

#include "platform/os/WinTypes.h"

namespace ui::gfx {

class Pen {
 public:
  explicit Pen(DWORD argb, float width = 1.0f) : m_color(argb), m_width(width) {}
  DWORD Color() const { return m_color; }
  float Width() const { return m_width; }

 private:
  DWORD m_color;
  float m_width;
};

}  // namespace ui::gfx
