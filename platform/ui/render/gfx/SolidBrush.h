#pragma once
// The colour (ARGB) of filled areas and text.

#include "platform/os/WinTypes.h"

namespace ui::gfx {

class SolidBrush {
 public:
  explicit SolidBrush(DWORD argb) : m_color(argb) {}
  DWORD Color() const { return m_color; }

 private:
  DWORD m_color;
};

}  // namespace ui::gfx
