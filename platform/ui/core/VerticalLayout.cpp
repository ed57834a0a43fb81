#include <cstring>

#include "platform/ui/core/UIContainer.h"

namespace ui {

const char* CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "VerticalLayout") == 0) return this;
  return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  LayOutLine(true, needInvalidate);
}

}  // namespace ui
