#include "batch/RowControls.h"

namespace {

ui::CControlUI* MatchName(ui::CControlUI* control, void* data) {
  return control->GetName() == static_cast<const char*>(data) ? control : nullptr;
}

}  // namespace

ui::CControlUI* FindControlIn(ui::CControlUI* root, const char* name) {
  if (root == nullptr || name == nullptr) return nullptr;
  return root->FindControl(MatchName, const_cast<char*>(name), ui::UIFIND_ALL);
}
