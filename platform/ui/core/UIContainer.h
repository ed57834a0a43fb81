#pragma once
// Containers hold child controls and lay them out: CContainerUI stacks every child over its client
// area (floating children at their fixed place), the vertical and horizontal layouts divide the
// client area along one axis, CTabLayoutUI shows one child at a time. A container deletes its
// children when it is deleted or when they are removed (unless told otherwise).

#include <vector>

#include "platform/ui/core/UIControl.h"

namespace ui {

// The child-list operations that a builder and the programs use on anything that holds children
// (GetInterface("IContainer")). A list control implements them on its rows.
class IContainerUI {
 public:
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetItemIndex(CControlUI* control) const = 0;
  virtual bool SetItemIndex(CControlUI* control, int index) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(CControlUI* control) = 0;
  virtual bool AddAt(CControlUI* control, int index) = 0;
  // Removes (and, unless `doNotDestroy` or auto-destroy is off, deletes) the control.
  virtual bool Remove(CControlUI* control, bool doNotDestroy = false) = 0;
  virtual bool RemoveAt(int index, bool doNotDestroy = false) = 0;
  virtual void RemoveAll() = 0;

 protected:
  ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  const char* GetClass() const override;  // "ContainerUI"
  void* GetInterface(const char* name) override;  // "Container", "IContainer"

  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int index) override;
  int GetCount() const override;
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;

  // Removed children are deleted (true by default).
  bool IsAutoDestroy() const { return m_bAutoDestroy; }
  void SetAutoDestroy(bool autoDestroy) { m_bAutoDestroy = autoDestroy; }
  // Removed children are deleted later by the paint manager, so that a control may remove itself
  // (or its row) from inside its own event or notification (true by default).
  bool IsDelayedDestroy() const { return m_bDelayedDestroy; }
  void SetDelayedDestroy(bool delayed) { m_bDelayedDestroy = delayed; }

  RECT GetInset() const { return m_rcInset; }
  void SetInset(RECT inset);  // the inner margin between the border and the children
  int GetChildPadding() const { return m_iChildPadding; }
  void SetChildPadding(int padding);  // the gap between neighbouring children of a layout
  bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
  void SetMouseChildEnabled(bool enabled = true);

  // Scrolling of the content (vertical and horizontal layouts with "vscrollbar"/"hscrollbar").
  void EnableScrollBar(bool vertical = true, bool horizontal = false);
  bool IsVScrollEnabled() const { return m_bVScroll; }
  bool IsHScrollEnabled() const { return m_bHScroll; }
  SIZE GetScrollPos() const { return m_szScrollPos; }
  SIZE GetScrollRange() const { return m_szScrollRange; }
  virtual void SetScrollPos(SIZE pos);
  void LineUp();
  void LineDown();
  // Scrolls so that the child's rectangle is inside the client area.
  void EnsureVisible(CControlUI* control);

  // The client area: the control rectangle less the inset (and a visible scroll bar).
  RECT GetClientPos() const;

  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
  void DoPaint(HDC hDC, const RECT& rcPaint) override;
  void SetAttribute(const char* name, const char* value) override;

 protected:
  // Adds or removes one child; what the child-list calls of this class do (see the .cpp).
  bool InsertItem(CControlUI* control, int index);
  bool EraseItem(int index, bool doNotDestroy);
  // The layout of the vertical and horizontal layouts along one axis: children with a fixed
  // extent along it get that, the others share what is left equally (the last takes the rest),
  // within their min and max; across it a child fills the client area unless its extent is fixed.
  void LayOutLine(bool vertical, bool needInvalidate);
  // Places a floating child at its fixed offset and size within the client area.
  void SetFloatPos(int index);
  // Sets the scroll range after a layout that needed `required` pixels in the client area.
  void ProcessScrollBar(RECT client, int requiredWidth, int requiredHeight);
  // The rectangle of the vertical scroll bar's thumb (empty when none is shown).
  RECT VerticalThumbRect() const;
  bool HasVisibleVScroll() const;

  std::vector<CControlUI*> m_items;
  RECT m_rcInset{};
  int m_iChildPadding = 0;
  bool m_bAutoDestroy = true;
  bool m_bDelayedDestroy = true;
  bool m_bMouseChildEnabled = true;
  bool m_bVScroll = false;
  bool m_bHScroll = false;
  SIZE m_szScrollPos{};
  SIZE m_szScrollRange{};
  int m_iScrollBarWidth = 8;
  DWORD m_dwScrollThumbColor = 0xFFC0C8D4;
  bool m_bThumbDragging = false;
  int m_iThumbDragStartY = 0;
  long m_iThumbDragStartPos = 0;
};

class CVerticalLayoutUI : public CContainerUI {
 public:
  const char* GetClass() const override;  // "VerticalLayoutUI"
  void* GetInterface(const char* name) override;  // "VerticalLayout"
  void SetPos(RECT rc, bool needInvalidate = true) override;
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  const char* GetClass() const override;  // "HorizontalLayoutUI"
  void* GetInterface(const char* name) override;  // "HorizontalLayout"
  void SetPos(RECT rc, bool needInvalidate = true) override;
};

class CTabLayoutUI : public CContainerUI {
 public:
  const char* GetClass() const override;  // "TabLayoutUI"
  void* GetInterface(const char* name) override;  // "TabLayout"

  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;
  int GetCurSel() const { return m_iCurSel; }
  // Shows child `index` (a code change: no notification). False when out of range.
  virtual bool SelectItem(int index);
  bool SelectItem(CControlUI* control);
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void SetAttribute(const char* name, const char* value) override;
  void DoInit() override;

 private:
  void ShowOnly(int index);

  int m_iCurSel = -1;
  int m_iInitSel = -1;  // "selectedid" of the layout, taken once the pages exist
};

}  // namespace ui
