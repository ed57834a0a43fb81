#pragma once
// CListElementUI: the base of the list rows that are plain controls (label and text rows). A press
// sends "itemclick" and picks the row in its owner (list or combo box), a double click sends
// "itemactivate".

#include "platform/ui/controls/ListInfo.h"
#include "platform/ui/controls/ListItemBehavior.h"
#include "platform/ui/core/UIControl.h"

namespace ui {

class CListElementUI : public CControlUI, public IListItemUI {
 public:
  const char* GetClass() const override;          // "ListElementUI"
  void* GetInterface(const char* name) override;  // "ListElement", "ListItem"
  // Return on a row: "itemactivate".
  bool Activate() override;

  int GetIndex() const override { return m_behavior.Index(); }
  void SetIndex(int index) override { m_behavior.SetIndex(index); }
  IListOwnerUI* GetOwner() override { return m_behavior.Owner(); }
  void SetOwner(CControlUI* owner) override { m_behavior.SetOwner(owner); }
  bool IsSelected() const override { return m_behavior.IsSelected(); }
  bool Select(bool select = true) override;
  bool IsHot() const { return m_behavior.IsHot(); }

  void DoEvent(TEventUI& event) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 protected:
  // The row's height: its fixed height, or one line of the list's font with the padding.
  SIZE EstimateRowSize(SIZE available);
  // Draws `text` into `rc` less the list's text padding, in the row's state colour.
  void DrawRowText(HDC hDC, RECT rc, const CDuiString& text);

  ListItemBehavior m_behavior;
};

}  // namespace ui
