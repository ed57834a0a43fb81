#pragma once
// CListUI: a list of rows under an optional header. The rows live in a scrolling body; the
// container operations (Add, AddAt, Remove, RemoveAt, RemoveAll, GetItemAt, GetCount ...) work on
// the rows, except that a CListHeaderUI or CListHeaderItemUI given to Add goes to the header.
//
// Selection: one row, or with SetMultiSelect several (Ctrl+click toggles a row, Shift+click takes
// a range). A user's pick sends "itemselect" (wParam the current row, lParam the previous one);
// SelectItem and the other calls from code send nothing. Rows send "itemclick" and "itemactivate"
// themselves; header items send "headerclick".

#include <vector>

#include "platform/ui/controls/ListInfo.h"
#include "platform/ui/core/UIContainer.h"

namespace ui {

class CListHeaderUI;

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
 public:
  CListUI();

  const char* GetClass() const override;          // "ListUI"
  void* GetInterface(const char* name) override;  // "List", "IListOwner"
  UINT GetControlFlags() const override;

  CListHeaderUI* GetHeader() const { return m_pHeader; }
  // The scrolling body that holds the rows.
  CVerticalLayoutUI* GetList() const { return m_pList; }

  // --- Rows ---
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int index) override;
  int GetCount() const override;
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;
  // Scrolls the body so that row `index` is visible.
  void EnsureVisible(int index);

  // --- Selection (changes made by code: no notification) ---
  TListInfoUI* GetListInfo() override { return &m_ListInfo; }
  int GetCurSel() const override { return m_iCurSel; }
  // Selects row `index` alone; an index out of range leaves no row selected and returns false.
  bool SelectItem(int index, bool takeFocus = false) override;
  // Adds row `index` to the selection (SelectItem when the list is not multiple-selection).
  bool SelectMultiItem(int index, bool takeFocus = false);
  bool UnSelectItem(int index);
  void UnSelectAllItems();
  // The number of selected (highlighted) rows.
  int GetSelectItemCount() const { return static_cast<int>(m_aSelItems.size()); }
  bool IsMultiSelect() const { return m_bMultiSel; }
  void SetMultiSelect(bool multiSelect);
  void OnItemPicked(int index, WORD keyState) override;

  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;

 private:
  IListItemUI* ItemAt(int index) const;
  bool IsRowSelected(int index) const;
  void Reindex(int from);
  // A user's change of the selection: notifies when it differs from before.
  void NotifyIfChanged(int oldCurSel, const std::vector<int>& oldSelection);
  void MoveSelectionByKey(int target);
  void UpdateColumns();

  CListHeaderUI* m_pHeader = nullptr;
  CVerticalLayoutUI* m_pList = nullptr;
  TListInfoUI m_ListInfo;
  int m_iCurSel = -1;
  int m_iAnchor = -1;
  std::vector<int> m_aSelItems;
  bool m_bMultiSel = false;
};

}  // namespace ui
