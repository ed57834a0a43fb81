#pragma once
// The painter of a play control's video window (the rule editor's drawing surface): called on the
// window thread each time the window paints, with the window's client rectangle.

#include "platform/os/WinTypes.h"
#include "platform/ui/render/DrawContext.h"

namespace ui {

class IPlayOnPaintCallBack {
 public:
  virtual void OnPaint(HDC hDC, const RECT& rc) = 0;

 protected:
  ~IPlayOnPaintCallBack() = default;
};

}  // namespace ui
