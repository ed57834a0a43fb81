#include "platform/ui/controls/UIListContainerElement.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIBuilder.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register(
    "ListContainerElement", [](CPaintManagerUI*) { return new CListContainerElementUI; });

}  // namespace

const char* CListContainerElementUI::GetClass() const { return "ListContainerElementUI"; }

void* CListContainerElementUI::GetInterface(const char* name) {
  if (IsName(name, "ListItem")) return static_cast<IListItemUI*>(this);
  if (IsName(name, "ListContainerElement")) return this;
  return CContainerUI::GetInterface(name);
}

bool CListContainerElementUI::Select(bool select) {
  if (m_behavior.SetSelected(select)) Invalidate();
  return true;
}

void CListContainerElementUI::DrawItemText(HDC, const RECT&) {}

void CListContainerElementUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (m_behavior.HandleEvent(*this, event)) return;
  CContainerUI::DoEvent(event);
}

void CListContainerElementUI::PaintStatusImage(HDC hDC) {
  m_behavior.PaintBackground(hDC, *this, m_rcItem, m_rcPaint);
  CContainerUI::PaintStatusImage(hDC);
}

}  // namespace ui
