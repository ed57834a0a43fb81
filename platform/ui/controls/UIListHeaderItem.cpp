#include "platform/ui/controls/UIListHeaderItem.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"

namespace ui {
namespace {

const bool g_registered =
    CControlFactory::Register("ListHeaderItem", [](CPaintManagerUI*) { return new CListHeaderItemUI; });

}  // namespace

CListHeaderItemUI::CListHeaderItemUI() { m_uTextStyle = DT_VCENTER | DT_SINGLELINE | DT_CENTER; }

const char* CListHeaderItemUI::GetClass() const { return "ListHeaderItemUI"; }

void* CListHeaderItemUI::GetInterface(const char* name) {
  if (IsName(name, "ListHeaderItem")) return this;
  return CButtonUI::GetInterface(name);
}

UINT CListHeaderItemUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

bool CListHeaderItemUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "headerclick");
  return true;
}

}  // namespace ui
