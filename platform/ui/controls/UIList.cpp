#include "platform/ui/controls/UIList.h"

#include <algorithm>

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/controls/ListInfoAttributes.h"
#include "platform/ui/controls/UIListHeader.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("List", [](CPaintManagerUI*) { return new CListUI; });

}  // namespace

CListUI::CListUI() : m_pHeader(new CListHeaderUI), m_pList(new CVerticalLayoutUI) {
  m_pList->EnableScrollBar(true, false);
  CVerticalLayoutUI::Add(m_pHeader);
  CVerticalLayoutUI::Add(m_pList);
}

const char* CListUI::GetClass() const { return "ListUI"; }

void* CListUI::GetInterface(const char* name) {
  if (IsName(name, "List")) return this;
  if (IsName(name, "IListOwner")) return static_cast<IListOwnerUI*>(this);
  return CVerticalLayoutUI::GetInterface(name);
}

UINT CListUI::GetControlFlags() const { return UIFLAG_TABSTOP; }

CControlUI* CListUI::GetItemAt(int index) const { return m_pList->GetItemAt(index); }

int CListUI::GetItemIndex(CControlUI* control) const { return m_pList->GetItemIndex(control); }

bool CListUI::SetItemIndex(CControlUI* control, int index) {
  const int old = m_pList->GetItemIndex(control);
  if (old < 0 || !m_pList->SetItemIndex(control, index)) return false;
  UnSelectAllItems();
  Reindex(std::min(old, index));
  return true;
}

int CListUI::GetCount() const { return m_pList->GetCount(); }

bool CListUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CListUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr) return false;
  if (control->GetInterface("ListHeader") != nullptr) {
    // A header from the layout takes the place of the empty one made at construction.
    if (m_pHeader != control && m_pHeader->GetCount() == 0) {
      CVerticalLayoutUI::Remove(m_pHeader);
      m_pHeader = static_cast<CListHeaderUI*>(control);
      return CVerticalLayoutUI::AddAt(control, 0);
    }
    return false;
  }
  if (control->GetInterface("ListHeaderItem") != nullptr) return m_pHeader->Add(control);
  if (index < 0 || index > GetCount()) return false;
  if (!m_pList->AddAt(control, index)) return false;
  if (auto* item = static_cast<IListItemUI*>(control->GetInterface("ListItem"))) item->SetOwner(this);
  for (int& selected : m_aSelItems) {
    if (selected >= index) ++selected;
  }
  if (m_iCurSel >= index) ++m_iCurSel;
  if (m_iAnchor >= index) ++m_iAnchor;
  Reindex(index);
  return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  if (index < 0) return false;
  return RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
  if (index < 0 || index >= GetCount()) return false;
  std::erase(m_aSelItems, index);
  for (int& selected : m_aSelItems) {
    if (selected > index) --selected;
  }
  if (m_iCurSel == index) {
    m_iCurSel = m_aSelItems.empty() ? -1 : m_aSelItems.back();
  } else if (m_iCurSel > index) {
    --m_iCurSel;
  }
  if (m_iAnchor == index) m_iAnchor = m_iCurSel;
  if (m_iAnchor > index) --m_iAnchor;
  if (!m_pList->RemoveAt(index, doNotDestroy)) return false;
  Reindex(index);
  return true;
}

void CListUI::RemoveAll() {
  m_iCurSel = -1;
  m_iAnchor = -1;
  m_aSelItems.clear();
  m_pList->RemoveAll();
}

void CListUI::EnsureVisible(int index) {
  CControlUI* row = GetItemAt(index);
  if (row != nullptr) m_pList->EnsureVisible(row);
}

IListItemUI* CListUI::ItemAt(int index) const {
  CControlUI* control = GetItemAt(index);
  return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

bool CListUI::IsRowSelected(int index) const {
  return std::find(m_aSelItems.begin(), m_aSelItems.end(), index) != m_aSelItems.end();
}

void CListUI::Reindex(int from) {
  for (int i = std::max(0, from); i < GetCount(); ++i) {
    if (IListItemUI* item = ItemAt(i)) item->SetIndex(i);
  }
}

bool CListUI::SelectItem(int index, bool takeFocus) {
  if (index == m_iCurSel && m_aSelItems.size() == 1) return true;
  UnSelectAllItems();
  IListItemUI* item = ItemAt(index);
  if (item == nullptr) return false;
  item->Select(true);
  m_iCurSel = index;
  m_iAnchor = index;
  m_aSelItems.push_back(index);
  EnsureVisible(index);
  if (takeFocus) GetItemAt(index)->SetFocus();
  return true;
}

bool CListUI::SelectMultiItem(int index, bool takeFocus) {
  if (!m_bMultiSel) return SelectItem(index, takeFocus);
  IListItemUI* item = ItemAt(index);
  if (item == nullptr) return false;
  if (!IsRowSelected(index)) m_aSelItems.push_back(index);
  item->Select(true);
  m_iCurSel = index;
  EnsureVisible(index);
  if (takeFocus) GetItemAt(index)->SetFocus();
  return true;
}

bool CListUI::UnSelectItem(int index) {
  if (!IsRowSelected(index)) return false;
  std::erase(m_aSelItems, index);
  if (IListItemUI* item = ItemAt(index)) item->Select(false);
  if (m_iCurSel == index) m_iCurSel = m_aSelItems.empty() ? -1 : m_aSelItems.back();
  return true;
}

void CListUI::UnSelectAllItems() {
  for (int index : m_aSelItems) {
    if (IListItemUI* item = ItemAt(index)) item->Select(false);
  }
  m_aSelItems.clear();
  m_iCurSel = -1;
}

void CListUI::SetMultiSelect(bool multiSelect) {
  if (m_bMultiSel == multiSelect) return;
  m_bMultiSel = multiSelect;
  // Going back to one row keeps the current one.
  if (!m_bMultiSel && m_aSelItems.size() > 1) {
    const int current = m_iCurSel;
    UnSelectAllItems();
    SelectItem(current);
  }
}

void CListUI::OnItemPicked(int index, WORD keyState) {
  if (ItemAt(index) == nullptr) return;
  const int oldCurSel = m_iCurSel;
  const std::vector<int> oldSelection = m_aSelItems;
  const bool control = (keyState & MK_CONTROL) != 0;
  const bool shift = (keyState & MK_SHIFT) != 0;
  if (m_bMultiSel && control) {
    if (IsRowSelected(index)) {
      UnSelectItem(index);
    } else {
      SelectMultiItem(index);
    }
    m_iAnchor = index;
  } else if (m_bMultiSel && shift && m_iAnchor >= 0) {
    const int anchor = m_iAnchor;
    UnSelectAllItems();
    const int step = index >= anchor ? 1 : -1;
    for (int i = anchor; i != index + step; i += step) SelectMultiItem(i);
    m_iCurSel = index;
    m_iAnchor = anchor;
  } else if (index != m_iCurSel || m_aSelItems.size() != 1) {
    SelectItem(index, true);
  }
  NotifyIfChanged(oldCurSel, oldSelection);
}

void CListUI::NotifyIfChanged(int oldCurSel, const std::vector<int>& oldSelection) {
  if (m_iCurSel == oldCurSel && m_aSelItems == oldSelection) return;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(m_iCurSel), oldCurSel);
}

void CListUI::MoveSelectionByKey(int target) {
  const int count = GetCount();
  if (count == 0) return;
  OnItemPicked(std::clamp(target, 0, count - 1), 0);
}

void CListUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (event.Type == UIEVENT_KEYDOWN && IsEnabled()) {
    const int page = static_cast<int>(std::max(1L, RectHeight(m_pList->GetPos()) / 24));
    switch (static_cast<unsigned char>(event.chKey)) {
      case VK_UP:
        MoveSelectionByKey(m_iCurSel - 1);
        return;
      case VK_DOWN:
        MoveSelectionByKey(m_iCurSel + 1);
        return;
      case VK_PRIOR:
        MoveSelectionByKey(m_iCurSel - page);
        return;
      case VK_NEXT:
        MoveSelectionByKey(m_iCurSel + page);
        return;
      case VK_HOME:
        MoveSelectionByKey(0);
        return;
      case VK_END:
        MoveSelectionByKey(GetCount() - 1);
        return;
      default:
        break;
    }
  }
  if (event.Type == UIEVENT_SCROLLWHEEL) {
    m_pList->DoEvent(event);
    return;
  }
  CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetPos(RECT rc, bool needInvalidate) {
  CVerticalLayoutUI::SetPos(rc, needInvalidate);
  UpdateColumns();
}

void CListUI::UpdateColumns() {
  const RECT body = m_pList->GetPos();
  const int count = std::min(m_pHeader->GetCount(), UILIST_MAX_COLUMNS);
  m_ListInfo.nColumns = count;
  long left = m_pList->GetClientPos().left;
  for (int i = 0; i < count; ++i) {
    CControlUI* item = m_pHeader->GetItemAt(i);
    RECT column = item->GetPos();
    if (!m_pHeader->IsVisible()) {
      // A hidden header is not laid out: its items' widths still make the columns.
      const long width = item->GetFixedWidth() > 0 ? item->GetFixedWidth() : m_pList->GetClientPos().right - left;
      column = RECT{left, 0, left + width, 0};
      left += width;
    }
    m_ListInfo.rcColumn[i] = RECT{column.left, body.top, column.right, body.bottom};
  }
}

void CListUI::SetAttribute(const char* name, const char* value) {
  if (ApplyListInfoAttribute(m_ListInfo, name, value)) {
    Invalidate();
  } else if (IsName(name, "header")) {
    m_pHeader->SetVisible(!IsName(value, "hidden") && !IsName(value, "false"));
  } else if (IsName(name, "headerbkimage")) {
    m_pHeader->SetBkImage(value);
  } else if (IsName(name, "multiselect")) {
    SetMultiSelect(ParseBoolAttribute(value));
  } else if (IsName(name, "vscrollbar")) {
    m_pList->EnableScrollBar(ParseBoolAttribute(value), false);
  } else {
    CVerticalLayoutUI::SetAttribute(name, value);
  }
}

}  // namespace ui
