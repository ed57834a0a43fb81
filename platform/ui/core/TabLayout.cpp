#include <cstdlib>
#include <cstring>

#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIManager.h"

namespace ui {

const char* CTabLayoutUI::GetClass() const { return "TabLayoutUI"; }

void* CTabLayoutUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "TabLayout") == 0) return this;
  return CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
  if (!CContainerUI::AddAt(control, index)) return false;
  if (m_iCurSel < 0 && control->IsVisible()) {
    m_iCurSel = GetItemIndex(control);
  } else {
    if (m_iCurSel >= index) ++m_iCurSel;
    control->SetVisible(false);
  }
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CTabLayoutUI::RemoveAt(int index, bool doNotDestroy) {
  const bool wasCurrent = index == m_iCurSel;
  if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
  if (wasCurrent) {
    m_iCurSel = -1;
    if (GetCount() > 0) SelectItem(index > 0 ? index - 1 : 0);
  } else if (index < m_iCurSel) {
    --m_iCurSel;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  m_iCurSel = -1;
  CContainerUI::RemoveAll();
}

void CTabLayoutUI::ShowOnly(int index) {
  for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == index);
}

bool CTabLayoutUI::SelectItem(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == m_iCurSel) return true;
  m_iCurSel = index;
  ShowOnly(index);
  NeedParentUpdate();
  // The focus must not stay on a page that is no longer shown.
  if (m_pManager != nullptr) {
    CControlUI* focus = m_pManager->GetFocus();
    if (focus != nullptr && !focus->IsVisible()) m_pManager->SetFocus(nullptr);
  }
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control) { return SelectItem(GetItemIndex(control)); }

void CTabLayoutUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  const RECT client = GetClientPos();
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* item = GetItemAt(i);
    if (!item->IsVisible()) continue;
    if (item->IsFloat()) {
      SetFloatPos(i);
      continue;
    }
    const RECT padding = item->GetPadding();
    item->SetPos(RECT{client.left + padding.left, client.top + padding.top, client.right - padding.right,
                      client.bottom - padding.bottom},
                 needInvalidate);
  }
}

void CTabLayoutUI::SetAttribute(const char* name, const char* value) {
  if (name != nullptr && value != nullptr && std::strcmp(name, "selectedid") == 0) {
    m_iInitSel = std::atoi(value);
    SelectItem(m_iInitSel);
  } else {
    CContainerUI::SetAttribute(name, value);
  }
}

void CTabLayoutUI::DoInit() {
  if (m_iInitSel >= 0) SelectItem(m_iInitSel);
}

}  // namespace ui
