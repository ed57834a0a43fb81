#include "platform/ui/controls/UIBaseMenu.h"

#include <algorithm>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

constexpr int kDefaultItemHeight = 26;
constexpr int kDefaultWidth = 160;

bool IsMenuItem(CControlUI* control) { return control != nullptr && control->GetInterface("MenuElement") != nullptr; }

}  // namespace

void CBaseMenuUI::Notify(TNotifyUI& msg) {
  CControlUI* sender = msg.pSender;
  if (IsMenuItem(sender) && sender->GetManager() == &m_pm) {
    if (msg.sType == "click") {
      if (m_bHideOnPick) ::ui::ShowWindow(m_hWnd, SW_HIDE);
      // Delivered after the click is done: the notifier may open a dialog from its handler.
      m_pm.SendNotify(sender, sender->GetName(), 0, 0, true);
      return;
    }
    if (msg.sType == sender->GetName()) {
      if (m_pNotifier != nullptr) m_pNotifier->Notify(msg);
      return;
    }
  }
  CDialogWnd::Notify(msg);
}

void CBaseMenuUI::MoveToPos(POINT screenPoint, int offset) {
  if (m_hWnd == nullptr) return;
  const SIZE size = MeasureMenu();
  const RECT work = GetWorkArea(m_hWnd);
  long x = screenPoint.x;
  long y = screenPoint.y + offset;
  if (x + size.cx > work.right) x = std::max(work.left, screenPoint.x - size.cx);
  if (y + size.cy > work.bottom) y = std::max(work.top, screenPoint.y - offset - size.cy);
  MoveWindow(m_hWnd, static_cast<int>(x), static_cast<int>(y), static_cast<int>(size.cx), static_cast<int>(size.cy));
}

SIZE CBaseMenuUI::MeasureMenu() {
  auto* root = m_pm.GetRoot() != nullptr ? static_cast<CContainerUI*>(m_pm.GetRoot()->GetInterface("Container")) : nullptr;
  SIZE size = m_pm.GetInitSize();
  if (size.cx <= 0) size.cx = kDefaultWidth;
  if (root == nullptr) return size;
  const RECT inset = root->GetInset();
  const long frame = 2L * root->GetBorderSize();
  long height = inset.top + inset.bottom + frame;
  long width = size.cx;
  int shown = 0;
  for (int i = 0; i < root->GetCount(); ++i) {
    CControlUI* item = root->GetItemAt(i);
    if (!item->IsVisible()) continue;
    if (shown++ > 0) height += root->GetChildPadding();
    height += item->GetFixedHeight() > 0 ? item->GetFixedHeight() : kDefaultItemHeight;
    const RECT padding = item->GetTextPadding();
    const SIZE text = CRenderEngine::MeasureText(m_pm.GetFont(item->GetFont()), item->GetText().Str());
    width = std::max(width, text.cx + padding.left + padding.right + inset.left + inset.right + frame);
  }
  if (shown > 0) size.cy = height;
  size.cx = width;
  return size;
}

const char* CBaseMenuUI::GetWindowClassName() const { return "MenuWnd"; }

LRESULT CBaseMenuUI::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    ::ui::ShowWindow(m_hWnd, SW_HIDE);
    return 0;
  }
  if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && IsWindowVisible(m_hWnd)) {
    ::ui::ShowWindow(m_hWnd, SW_HIDE);
  }
  return CDialogWnd::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
