#include "platform/ui/controls/UIWebBrowser.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("WebBrowser", [](CPaintManagerUI*) { return new CWebBrowserUI; });

// "无法加载网页浏览组件，网页不能显示。" in GBK.
constexpr const char* kNoViewText =
    "\xCE\xDE\xB7\xA8\xBC\xD3\xD4\xD8\xCD\xF8\xD2\xB3\xE4\xAF\xC0\xC0\xD7\xE9\xBC\xFE\xA3\xAC\xCD\xF8\xD2\xB3\xB2\xBB\xC4\xDC"
    "\xCF\xD4\xCA\xBE\xA1\xA3";

}  // namespace

CWebBrowserUI::CWebBrowserUI() = default;
CWebBrowserUI::~CWebBrowserUI() = default;

const char* CWebBrowserUI::GetClass() const { return "WebBrowserUI"; }

void* CWebBrowserUI::GetInterface(const char* name) {
  if (IsName(name, "WebBrowser")) return this;
  return CControlUI::GetInterface(name);
}

IWebView* CWebBrowserUI::View() {
  if (m_view == nullptr && !m_noView && m_pManager != nullptr && m_pManager->GetPaintWindow() != nullptr) {
    m_view = CurrentWebBrowserBackend().CreateView(GetAncestorRoot(m_pManager->GetPaintWindow()));
    if (m_view == nullptr) {
      m_noView = true;
      SetText(kNoViewText);
      Invalidate();
    }
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

// Only the failure to make a view is shown as text; a page covers the control otherwise.
void CWebBrowserUI::PaintText(HDC hDC) {
  if (!m_noView) return;
  RECT rc = m_rcItem;
  const Font* font = m_pManager != nullptr ? m_pManager->GetFont(m_iFont) : nullptr;
  const DWORD color = m_dwTextColor == 0 && m_pManager != nullptr ? m_pManager->GetDefaultFontColor() : m_dwTextColor;
  CRenderEngine::DrawText(hDC, font, rc, m_sText.Str(), color, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace ui
