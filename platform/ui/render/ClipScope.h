#pragma once
// Narrows a drawing context's clip for the lifetime of the scope.

#include "platform/ui/render/DrawContext.h"

namespace ui {

class ClipScope {
 public:
  ClipScope(HDC hDC, const RECT& rc) : m_hDC(hDC) { m_hDC->PushClip(rc); }
  ClipScope(HDC hDC, const RECT& rc, int roundWidth, int roundHeight) : m_hDC(hDC) {
    m_hDC->PushRoundClip(rc, roundWidth, roundHeight);
  }
  ~ClipScope() { m_hDC->PopClip(); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  HDC m_hDC;
};

}  // namespace ui
