#pragma once
// The state and the mouse handling that every list row shares, whether the row is a plain control
// (CListElementUI) or a container built from a template (CListContainerElementUI): its owner and
// index, selected and hot states, the row background, and what a press or a double click does.

#include "platform/ui/controls/ListInfo.h"

namespace ui {

class ListItemBehavior {
 public:
  int Index() const { return m_index; }
  void SetIndex(int index) { m_index = index; }
  IListOwnerUI* Owner() const { return m_owner; }
  void SetOwner(CControlUI* owner);
  bool IsSelected() const { return m_selected; }
  // True when the state changed.
  bool SetSelected(bool selected);
  bool IsHot() const { return m_hot; }

  // Handles a row event: a press sends "itemclick" and picks the row, a double click sends
  // "itemactivate", the pointer entering and leaving changes the hot state. True when handled.
  bool HandleEvent(CControlUI& row, TEventUI& event);
  // The background of the row by its state and the owner's list info.
  void PaintBackground(HDC hDC, CControlUI& row, const RECT& rcItem, const RECT& rcPaint) const;
  // The text colour of the row by its state (0: the window's default).
  DWORD TextColor(bool enabled) const;

 private:
  int m_index = -1;
  IListOwnerUI* m_owner = nullptr;
  bool m_selected = false;
  bool m_hot = false;
};

}  // namespace ui
