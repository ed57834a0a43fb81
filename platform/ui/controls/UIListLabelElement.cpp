#include "platform/ui/controls/UIListLabelElement.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIBuilder.h"

namespace ui {
namespace {

const bool g_registered =
    CControlFactory::Register("ListLabelElement", [](CPaintManagerUI*) { return new CListLabelElementUI; });

}  // namespace

const char* CListLabelElementUI::GetClass() const { return "ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(const char* name) {
  if (IsName(name, "ListLabelElement")) return this;
  return CListElementUI::GetInterface(name);
}

SIZE CListLabelElementUI::EstimateSize(SIZE available) { return EstimateRowSize(available); }

void CListLabelElementUI::DrawItemText(HDC hDC, const RECT& rc) { DrawRowText(hDC, rc, m_sText); }

}  // namespace ui
