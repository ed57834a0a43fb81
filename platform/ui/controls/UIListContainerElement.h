#pragma once
// CListContainerElementUI: a list row that holds child controls, usually built from a row
// template. A press on the row (or on a child that leaves the press alone) sends "itemclick" and
// picks the row; a double click sends "itemactivate".

#include "platform/ui/controls/ListInfo.h"
#include "platform/ui/controls/ListItemBehavior.h"
#include "platform/ui/core/UIContainer.h"

namespace ui {

class CListContainerElementUI : public CContainerUI, public IListItemUI {
 public:
  const char* GetClass() const override;          // "ListContainerElementUI"
  void* GetInterface(const char* name) override;  // "ListContainerElement", "ListItem"

  int GetIndex() const override { return m_behavior.Index(); }
  void SetIndex(int index) override { m_behavior.SetIndex(index); }
  IListOwnerUI* GetOwner() override { return m_behavior.Owner(); }
  void SetOwner(CControlUI* owner) override { m_behavior.SetOwner(owner); }
  bool IsSelected() const override { return m_behavior.IsSelected(); }
  bool Select(bool select = true) override;
  bool IsHot() const { return m_behavior.IsHot(); }
  // The children draw the row's texts.
  void DrawItemText(HDC hDC, const RECT& rc) override;

  void DoEvent(TEventUI& event) override;
  void PaintStatusImage(HDC hDC) override;

 protected:
  ListItemBehavior m_behavior;
};

}  // namespace ui
