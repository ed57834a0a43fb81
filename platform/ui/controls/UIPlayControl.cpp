#include "platform/ui/controls/UIPlayControl.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/controls/UIPlayWnd.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIManager.h"

namespace ui {

CPlayControlUI::CPlayControlUI() { m_dwBackColor = 0xFF000000; }

CPlayControlUI::~CPlayControlUI() { DetachPlayWindow(); }

const char* CPlayControlUI::GetClass() const { return "PlayControlUI"; }

void* CPlayControlUI::GetInterface(const char* name) {
  if (IsName(name, "PlayControl")) return this;
  return CControlUI::GetInterface(name);
}

HWND CPlayControlUI::GetHandle() const { return m_pWindow != nullptr ? m_pWindow->GetHWND() : nullptr; }

HWND CPlayControlUI::CreatePlayWindow() {
  if (m_pWindow != nullptr) return m_pWindow->GetHWND();
  if (m_pManager == nullptr || m_pManager->GetPaintWindow() == nullptr) return nullptr;
  auto* window = new CPlayWnd(this);
  m_pWindow = window;
  if (window->Init() == nullptr) {
    m_pWindow = nullptr;
    delete window;
    return nullptr;
  }
  return window->GetHWND();
}

void CPlayControlUI::DetachPlayWindow() {
  CPlayWnd* window = m_pWindow;
  if (window == nullptr) return;
  m_pWindow = nullptr;
  window->DetachOwner();
  DestroyWindow(window->GetHWND());  // the window object deletes itself
}

void CPlayControlUI::SetPlayOnPaintCallBack(IPlayOnPaintCallBack* callback) {
  m_pCallback = callback;
  if (m_pWindow != nullptr) InvalidateRect(m_pWindow->GetHWND(), nullptr);
}

void CPlayControlUI::UpdateWindow() {
  if (m_pWindow == nullptr) return;
  const HWND hwnd = m_pWindow->GetHWND();
  MoveWindow(hwnd, static_cast<int>(m_rcItem.left), static_cast<int>(m_rcItem.top),
             static_cast<int>(RectWidth(m_rcItem)), static_cast<int>(RectHeight(m_rcItem)));
  ShowWindow(hwnd, IsVisible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CPlayControlUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  UpdateWindow();
}

void CPlayControlUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  UpdateWindow();
}

void CPlayControlUI::SetInternVisible(bool visible) {
  CControlUI::SetInternVisible(visible);
  UpdateWindow();
}

}  // namespace ui
