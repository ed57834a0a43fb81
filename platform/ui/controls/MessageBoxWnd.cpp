#include "platform/ui/controls/MessageBoxWnd.h"

#include <algorithm>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

constexpr long kMaxGrowth = 560;

}  // namespace

int CMessageBoxWnd::Run(HWND owner, const char* text, const char* layout) {
  // The framework deletes the box after its window ends (also when the layout cannot be built).
  auto* box = new CMessageBoxWnd(text);
  if (box->CreateWnd(layout, owner, "UIMessageBox", nullptr, false, true) == nullptr) return -1;
  box->CenterWindow();
  return static_cast<int>(box->ShowModal());
}

const char* CMessageBoxWnd::GetWindowClassName() const { return "UIMessageBox"; }

void CMessageBoxWnd::BindControls() {
  if (CControlUI* label = m_pm.FindControl("msg_text")) label->SetText(m_text.c_str());
  FitText();
}

void CMessageBoxWnd::FitText() {
  CControlUI* label = m_pm.FindControl("msg_text");
  if (label == nullptr || label->GetParent() == nullptr) return;
  auto* column = static_cast<CContainerUI*>(label->GetParent()->GetInterface("Container"));
  if (column == nullptr) return;
  const SIZE size = m_pm.GetInitSize();
  long fixed = 2L * column->GetBorderSize();
  for (int i = 0; i < column->GetCount(); ++i) {
    if (column->GetItemAt(i) != label) fixed += column->GetItemAt(i)->GetFixedHeight();
  }
  const RECT padding = label->GetTextPadding();
  const long textWidth = size.cx - 2L * column->GetBorderSize() - padding.left - padding.right;
  const SIZE text = CRenderEngine::MeasureText(m_pm.GetFont(label->GetFont()), m_text, DT_WORDBREAK,
                                               static_cast<int>(std::max(1L, textWidth)));
  const long needed = text.cy + padding.top + padding.bottom;
  const long available = size.cy - fixed;
  if (needed > available) {
    ResizeClient(static_cast<int>(size.cx), static_cast<int>(size.cy + std::min(needed - available, kMaxGrowth)));
  }
}

void CMessageBoxWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr) {
    const CDuiString name = msg.pSender->GetName();
    if (name == "ok") {
      Close(IDOK);
      return;
    }
    if (name == "yes") {
      Close(IDYES);
      return;
    }
    if (name == "no") {
      Close(IDNO);
      return;
    }
  }
  CDialogWnd::Notify(msg);
}

LRESULT CMessageBoxWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    const bool question = m_pm.FindControl("yes") != nullptr;
    if (wParam == VK_RETURN) {
      Close(question ? IDYES : IDOK);
    } else {
      Close(question ? IDNO : IDCANCEL);
    }
    return 0;
  }
  return CDialogWnd::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
