#pragma once
// CSliderUI: a progress bar with a thumb that the user drags. While the thumb is dragged (or after
// a press on the track moved it there) each change of value sends "slidermousemove"; the release
// sends "valuechanged" when the value differs from the value at the press. Moving the pointer over
// the slider without a press sends "slider_nocap_mousemove" with the value under the pointer in
// wParam. SetValue from code sends nothing.

#include "platform/ui/controls/UIProgress.h"

namespace ui {

class CSliderUI : public CProgressUI {
 public:
  const char* GetClass() const override;          // "SliderUI"
  void* GetInterface(const char* name) override;  // "Slider"
  UINT GetControlFlags() const override;
  void SetEnabled(bool enabled = true) override;

  SIZE GetThumbSize() const { return m_szThumb; }
  void SetThumbSize(SIZE size);
  RECT GetThumbRect() const;
  // The value the slider takes for a pointer at `pt` (window client coordinates).
  int ValueAt(POINT pt) const;

  void DoEvent(TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;
  void PaintStatusImage(HDC hDC) override;

 private:
  SIZE m_szThumb{10, 10};
  UINT m_uButtonState = 0;
  int m_nValueAtPress = 0;
  CDuiString m_sThumbImage;
  CDuiString m_sThumbHotImage;
  CDuiString m_sThumbPushedImage;
  DWORD m_dwThumbColor = 0;
};

}  // namespace ui
