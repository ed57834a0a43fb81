#include "platform/ui/controls/UIWebBrowser.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("WebBrowser", [](CPaintManagerUI*) { return new CWebBrowserUI; });

}  // namespace

CWebBrowserUI::CWebBrowserUI() = default;
CWebBrowserUI::~CWebBrowserUI() = default;

const char* CWebBrowserUI::GetClass() const { return "WebBrowserUI"; }

void* CWebBrowserUI::GetInterface(const char* name) {
  if (IsName(name, "WebBrowser")) return this;
  return CControlUI::GetInterface(name);
}

IWebView* CWebBrowserUI::View() {
  if (m_view == nullptr && m_pManager != nullptr && m_pManager->GetPaintWindow() != nullptr) {
    m_view = CurrentWebBrowserBackend().CreateView(GetAncestorRoot(m_pManager->GetPaintWindow()));
    UpdatePlace();
  }
  return m_view.get();
}

void CWebBrowserUI::Navigate2(const char* url) {
  if (url == nullptr) return;
  if (IWebView* view = View()) view->Navigate(url);
}

CDuiString CWebBrowserUI::GetCurrentUrl() const { return m_view != nullptr ? CDuiString(m_view->CurrentUrl()) : CDuiString(); }

void CWebBrowserUI::UpdatePlace() {
  if (m_view == nullptr || m_pManager == nullptr) return;
  // The view lies in the top-level window; the paint window may be a child window of it.
  const HWND paint = m_pManager->GetPaintWindow();
  const HWND root = GetAncestorRoot(paint);
  POINT topLeft{m_rcItem.left, m_rcItem.top};
  ClientToScreen(paint, &topLeft);
  ScreenToClient(root, &topLeft);
  const RECT place{topLeft.x, topLeft.y, topLeft.x + RectWidth(m_rcItem), topLeft.y + RectHeight(m_rcItem)};
  m_view->SetPlace(place, IsVisible());
}

void CWebBrowserUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  UpdatePlace();
}

void CWebBrowserUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  UpdatePlace();
}

void CWebBrowserUI::SetInternVisible(bool visible) {
  CControlUI::SetInternVisible(visible);
  UpdatePlace();
}

// Where no view draws over it (the headless host) the page area shows as a white sheet.
void CWebBrowserUI::PaintBkColor(HDC hDC) {
  CRenderEngine::DrawColor(hDC, m_rcItem, m_dwBackColor != 0 ? m_dwBackColor : 0xFFFFFFFF);
}

}  // namespace ui
