#pragma once
// CComboWnd: the drop-down of a CComboUI, a popup window under the box (above it when there is no
// room below). While it is open the box's items live in its list, so they are the rows the user
// clicks; they go back to the box when it closes. A click on a row picks that item, Up and Down
// pick the previous and next item, Return, Escape, a click elsewhere or another window taking
// the activation close it. It deletes itself after its last message.

#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIWindow.h"

namespace ui {

class CComboUI;
class CVerticalLayoutUI;

class CComboWnd : public CWindowWnd {
 public:
  // Opens the drop-down for `owner`; the owner keeps the pointer until OnFinalMessage clears it.
  void Init(CComboUI* owner);
  // The owner is going away: forget it and destroy the window now.
  void DetachOwner();
  CPaintManagerUI* GetPaintManager() { return &m_pm; }
  // Gives the items back to the box (before the box changes its items, and when closing).
  void ReleaseItems();

 protected:
  const char* GetWindowClassName() const override;  // "ComboWnd"
  UINT GetClassStyle() const override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

 private:
  void TakeItems();
  RECT PlaceBelowOwner(int height) const;

  CPaintManagerUI m_pm;
  CComboUI* m_pOwner = nullptr;
  CVerticalLayoutUI* m_pLayout = nullptr;
};

}  // namespace ui
