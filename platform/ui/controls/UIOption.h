#pragma once
// COptionUI: a button that keeps a selected state. Options with the same "group" in one window are
// exclusive (radio buttons); an option without a group toggles (a check box).
//
// A user's click selects (or toggles) the option, sends "selectchanged" from the option that became
// selected, then "option_click" with the new state in place. Selected() from code sends nothing.

#include "platform/ui/controls/UIButton.h"

namespace ui {

class COptionUI : public CButtonUI {
 public:
  ~COptionUI() override;

  const char* GetClass() const override;          // "OptionUI"
  void* GetInterface(const char* name) override;  // "Option"
  bool Activate() override;
  void SetAttribute(const char* name, const char* value) override;

  const CDuiString& GetGroup() const { return m_sGroupName; }
  void SetGroup(const char* group);
  bool IsSelected() const { return m_bSelected; }
  // A code change: the other options of the group are cleared, no notification is sent.
  virtual void Selected(bool selected);

  const CDuiString& GetSelectedImage() const { return m_sSelectedImage; }
  void SetSelectedImage(const char* image);
  void SetSelectedHotImage(const char* image);
  void SetSelectedTextColor(DWORD color);
  DWORD GetSelectedTextColor() const { return m_dwSelectedTextColor; }
  void SetSelectedBkColor(DWORD color);
  void SetForeImage(const char* image);

  void PaintBkColor(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 private:
  // Clears the selection of the other options of the group in this window.
  void ClearGroupPeers();

  bool m_bSelected = false;
  CDuiString m_sGroupName;
  CDuiString m_sSelectedImage;
  CDuiString m_sSelectedHotImage;
  CDuiString m_sForeImage;
  DWORD m_dwSelectedTextColor = 0;
  DWORD m_dwSelectedBkColor = 0;
};

}  // namespace ui
