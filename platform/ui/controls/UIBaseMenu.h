#pragma once
// CBaseMenuUI: the popup window of a menu. It is shown at a screen point (MoveToPos, then
// ShowWindow) and hides again when an item is picked, on Escape, or when another window takes the
// activation; it is not destroyed then, so one menu serves its owner window for the owner's whole
// life (the owner's end destroys it). A pick reaches the notifier as a notification whose type is
// the item's name and whose sender is the item, after the click has been handled.

#include "platform/ui/core/UIWindow.h"

namespace ui {

class CBaseMenuUI : public CDialogWnd {
 public:
  // Who receives the picks (the menu's own other notifications are not passed on).
  void SetNotifier(INotifyUI* notifier) { m_pNotifier = notifier; }
  INotifyUI* GetNotifier() const { return m_pNotifier; }
  // Sizes the menu to its items and places its top-left corner `offset` pixels below the screen
  // point, moved left or above the point when it would leave the work area.
  void MoveToPos(POINT screenPoint, int offset);
  // Whether a pick hides the menu (true by default).
  void SetHideOnPick(bool hide) { m_bHideOnPick = hide; }

  void Notify(TNotifyUI& msg) override;

 protected:
  const char* GetWindowClassName() const override;  // "MenuWnd"
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The size the menu needs for its items.
  virtual SIZE MeasureMenu();

 private:
  INotifyUI* m_pNotifier = nullptr;
  bool m_bHideOnPick = true;
};

}  // namespace ui
