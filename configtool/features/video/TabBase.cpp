#include "configtool/features/video/TabBase.h"

#include <string>

#include "configtool/features/video/VideoCfg.h"

CTabBase::CTabBase(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog)
    : m_pOwner(dialog), m_handle(handle), m_pm(pm) {}

CTabBase::~CTabBase() = default;

std::optional<int> CTabBase::ReadNumber(int (*get)(CameraClientHandle, int*)) const {
  int value = 0;
  if (get(m_handle, &value) != 0) return std::nullopt;
  return value;
}

void CTabBase::ShowMessage(const char* text) { ui::UIMessageBox(m_pOwner->GetHWND(), text); }

void CTabBase::Hide(std::initializer_list<ui::CControlUI*> controls) {
  for (ui::CControlUI* control : controls) {
    if (control != nullptr) control->SetVisible(false);
  }
}

void CTabBase::ShowNumber(ui::CControlUI* control, long long value) {
  if (control != nullptr) control->SetText(std::to_string(value).c_str());
}
