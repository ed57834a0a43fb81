#pragma once
// CLabelUI: a control that shows one text with the control's font, colours, padding and DT_* style.

#include "platform/ui/core/UIControl.h"

namespace ui {

class CLabelUI : public CControlUI {
 public:
  const char* GetClass() const override;          // "LabelUI"
  void* GetInterface(const char* name) override;  // "Label"

  void PaintText(HDC hDC) override;

 protected:
  // Draws the text in `color` (0: the window's default text colour) into the padded rectangle.
  void DrawLabelText(HDC hDC, DWORD color);
};

}  // namespace ui
