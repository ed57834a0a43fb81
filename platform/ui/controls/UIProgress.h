#pragma once
// CProgressUI: a bar that fills from its minimum to its value, horizontally (default) or
// vertically, with a fore image ("foreimage", cut to the filled part) or a fore colour.
// SetValue from code sends no notification.

#include "platform/ui/controls/UILabel.h"

namespace ui {

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();

  const char* GetClass() const override;          // "ProgressUI"
  void* GetInterface(const char* name) override;  // "Progress"

  bool IsHorizontal() const { return m_bHorizontal; }
  void SetHorizontal(bool horizontal = true);
  int GetMinValue() const { return m_nMin; }
  void SetMinValue(int min);
  int GetMaxValue() const { return m_nMax; }
  void SetMaxValue(int max);
  int GetValue() const { return m_nValue; }
  // Kept within the range.
  void SetValue(int value);
  const CDuiString& GetForeImage() const { return m_sForeImage; }
  void SetForeImage(const char* image);
  void SetForeColor(DWORD color);

  void SetAttribute(const char* name, const char* value) override;
  void PaintStatusImage(HDC hDC) override;

 protected:
  // The filled part of the bar for the current value.
  RECT FilledRect() const;

  bool m_bHorizontal = true;
  int m_nMin = 0;
  int m_nMax = 100;
  int m_nValue = 0;
  CDuiString m_sForeImage;
  DWORD m_dwForeColor = 0;
};

}  // namespace ui
