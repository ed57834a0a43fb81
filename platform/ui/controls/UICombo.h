#pragma once
// CComboUI: a box that shows its selected item and drops down a list of its items (CComboWnd) when
// clicked. Items are list rows (usually CListLabelElementUI) added with the container calls.
// A user's pick in the drop-down, or Up / Down on the box or its drop-down, selects the item at
// once and sends "itemselect" (wParam the new index, lParam the previous one) right after the
// input has been handled, so the window may open a dialog in its reaction. SelectItem from code
// sends nothing, and an index out of range leaves nothing selected.

#include "platform/ui/controls/ListInfo.h"
#include "platform/ui/core/UIContainer.h"

namespace ui {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
 public:
  CComboUI();
  ~CComboUI() override;

  const char* GetClass() const override;          // "ComboUI"
  void* GetInterface(const char* name) override;  // "Combo", "IListOwner"
  UINT GetControlFlags() const override;
  // The text of the selected item ("" with none).
  CDuiString GetText() const override;
  void SetEnabled(bool enabled = true) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  // Opens the drop-down.
  bool Activate() override;

  bool SetItemIndex(CControlUI* control, int index) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Add(CControlUI* control) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;

  TListInfoUI* GetListInfo() override { return &m_ListInfo; }
  int GetCurSel() const override { return m_iCurSel; }
  bool SelectItem(int index, bool takeFocus = false) override;
  void OnItemPicked(int index, WORD keyState) override;

  // The drop-down's width and greatest height ("dropboxsize"; a width of 0 is the box's width).
  SIZE GetDropBoxSize() const { return m_szDropBox; }
  void SetDropBoxSize(SIZE size) { m_szDropBox = size; }
  // The open drop-down's window, or nullptr.
  HWND GetDropDownWindow() const;
  // Closes an open drop-down without a pick.
  void CloseDropDown();

  void SetPos(RECT rc, bool needInvalidate = true) override;
  CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;
  void DoPaint(HDC hDC, const RECT& rcPaint) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 private:
  friend class CComboWnd;

  IListItemUI* ItemAt(int index) const;
  void Reindex(int from);
  void PickByKey(int index);

  CComboWnd* m_pWindow = nullptr;
  int m_iCurSel = -1;
  TListInfoUI m_ListInfo;
  SIZE m_szDropBox{0, 150};
  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sPushedImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
};

}  // namespace ui
