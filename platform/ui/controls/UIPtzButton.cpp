#include "platform/ui/controls/UIPtzButton.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIManager.h"

namespace ui {

const char* CPtzButtonUI::GetClass() const { return "PtzButtonUI"; }

void* CPtzButtonUI::GetInterface(const char* name) {
  if (IsName(name, "PtzButton")) return this;
  return CButtonUI::GetInterface(name);
}

bool CPtzButtonUI::Activate() { return CLabelUI::Activate(); }

void CPtzButtonUI::SetEnabled(bool enabled) {
  const bool held = (m_uButtonState & UISTATE_CAPTURED) != 0;
  CButtonUI::SetEnabled(enabled);
  if (held && !IsEnabled() && m_pManager != nullptr) m_pManager->SendNotify(this, "ptz_button_up");
}

bool CPtzButtonUI::OnPress(TEventUI&) {
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "ptz_button_down");
  return true;
}

void CPtzButtonUI::OnRelease(TEventUI&, bool) {
  if (m_pManager != nullptr) m_pManager->SendNotify(this, "ptz_button_up");
}

}  // namespace ui
