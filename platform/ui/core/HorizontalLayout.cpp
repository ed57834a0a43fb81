#include <cstring>

#include "platform/ui/core/UIContainer.h"

namespace ui {

const char* CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "HorizontalLayout") == 0) return this;
  return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  LayOutLine(false, needInvalidate);
}

}  // namespace ui
