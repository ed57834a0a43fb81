#include "platform/ui/controls/UIListTextElement.h"

#include <algorithm>

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIBuilder.h"

namespace ui {
namespace {

const bool g_registered =
    CControlFactory::Register("ListTextElement", [](CPaintManagerUI*) { return new CListTextElementUI; });

}  // namespace

const char* CListTextElementUI::GetClass() const { return "ListTextElementUI"; }

void* CListTextElementUI::GetInterface(const char* name) {
  if (IsName(name, "ListTextElement")) return this;
  return CListLabelElementUI::GetInterface(name);
}

CDuiString CListTextElementUI::GetText(int index) const {
  if (index < 0 || index >= static_cast<int>(m_texts.size())) return CDuiString();
  return m_texts[static_cast<std::size_t>(index)];
}

void CListTextElementUI::SetText(int index, const char* text) {
  if (index < 0 || index >= UILIST_MAX_COLUMNS) return;
  if (index >= static_cast<int>(m_texts.size())) m_texts.resize(static_cast<std::size_t>(index) + 1);
  m_texts[static_cast<std::size_t>(index)] = text != nullptr ? text : "";
  Invalidate();
}

void CListTextElementUI::DrawItemText(HDC hDC, const RECT& rc) {
  IListOwnerUI* owner = GetOwner();
  if (owner == nullptr) return;
  const TListInfoUI* info = owner->GetListInfo();
  const int columns = std::min<int>(info->nColumns, static_cast<int>(m_texts.size()));
  for (int i = 0; i < columns; ++i) {
    const RECT cell{info->rcColumn[i].left, rc.top, info->rcColumn[i].right, rc.bottom};
    DrawRowText(hDC, cell, m_texts[static_cast<std::size_t>(i)]);
  }
}

}  // namespace ui
