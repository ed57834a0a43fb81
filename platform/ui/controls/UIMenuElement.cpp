#include "platform/ui/controls/UIMenuElement.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIBuilder.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("MenuElement", [](CPaintManagerUI*) { return new CMenuElementUI; });
constexpr int kItemHeight = 26;
constexpr DWORD kHotColor = 0xFFDCEBFB;

}  // namespace

CMenuElementUI::CMenuElementUI() {
  m_cxyFixed.cy = kItemHeight;
  m_rcTextPadding = RECT{8, 0, 8, 0};
  m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  m_dwHotBkColor = kHotColor;
}

const char* CMenuElementUI::GetClass() const { return "MenuElementUI"; }

void* CMenuElementUI::GetInterface(const char* name) {
  if (IsName(name, "MenuElement")) return this;
  return CButtonUI::GetInterface(name);
}

UINT CMenuElementUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

}  // namespace ui
