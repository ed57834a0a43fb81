#include "platform/ui/controls/UIListHeader.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIBuilder.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("ListHeader", [](CPaintManagerUI*) { return new CListHeaderUI; });
constexpr int kDefaultHeight = 24;

}  // namespace

CListHeaderUI::CListHeaderUI() { m_cxyFixed.cy = kDefaultHeight; }

const char* CListHeaderUI::GetClass() const { return "ListHeaderUI"; }

void* CListHeaderUI::GetInterface(const char* name) {
  if (IsName(name, "ListHeader")) return this;
  return CHorizontalLayoutUI::GetInterface(name);
}

}  // namespace ui
