#include "platform/ui/controls/UIPlayWnd.h"

#include "platform/ui/controls/UIPlayControl.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {

HWND CPlayWnd::Init() {
  CPaintManagerUI* manager = m_pOwner->GetManager();
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (m_pOwner->IsVisible() ? WS_VISIBLE : 0);
  return Create(manager->GetPaintWindow(), "", style, 0, m_pOwner->GetPos());
}

const char* CPlayWnd::GetWindowClassName() const { return "PlayWnd"; }

UINT CPlayWnd::GetClassStyle() const { return CS_DBLCLKS; }

LRESULT CPlayWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      auto hDC = reinterpret_cast<HDC>(wParam);
      if (hDC == nullptr) return 0;
      RECT client{};
      GetClientRect(m_hWnd, &client);
      if (m_pOwner != nullptr && m_pOwner->m_pCallback != nullptr) {
        m_pOwner->m_pCallback->OnPaint(hDC, client);
        return 0;
      }
      // The video covers the whole window; black until the first picture.
      if (!PaintVideoPicture(m_hWnd, hDC)) CRenderEngine::DrawColor(hDC, client, 0xFF000000);
      return 0;
    }
    case WM_LBUTTONDOWN:
      Notify("play_control_buttondown", lParam);
      return 0;
    case WM_MOUSEMOVE:
      Notify("play_control_mousemove", lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      Notify("play_control_dbclick", lParam);
      return 0;
    default:
      return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
}

// The receiver may run a drag loop or end the window; nothing of this object is used afterwards.
void CPlayWnd::Notify(const char* type, LPARAM lParam) {
  if (m_pOwner == nullptr || m_pOwner->GetManager() == nullptr) return;
  m_pOwner->GetManager()->SendNotify(m_pOwner, type, static_cast<WPARAM>(GET_X_LPARAM(lParam)),
                                     static_cast<LPARAM>(GET_Y_LPARAM(lParam)));
}

void CPlayWnd::OnFinalMessage(HWND) {
  if (m_pOwner != nullptr) m_pOwner->m_pWindow = nullptr;
  delete this;
}

}  // namespace ui
