#include "platform/ui/controls/UILabel.h"

#include <cstring>

#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("Label", [](CPaintManagerUI*) { return new CLabelUI; });

}  // namespace

const char* CLabelUI::GetClass() const { return "LabelUI"; }

void* CLabelUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "Label") == 0) return this;
  return CControlUI::GetInterface(name);
}

void CLabelUI::PaintText(HDC hDC) {
  DWORD color = m_dwTextColor;
  if (!IsEnabled()) {
    color = m_dwDisabledTextColor;
    if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultDisabledColor();
  }
  DrawLabelText(hDC, color);
}

void CLabelUI::DrawLabelText(HDC hDC, DWORD color) {
  if (m_sText.IsEmpty()) return;
  if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultFontColor();
  RECT rc = m_rcItem;
  rc.left += m_rcTextPadding.left;
  rc.top += m_rcTextPadding.top;
  rc.right -= m_rcTextPadding.right;
  rc.bottom -= m_rcTextPadding.bottom;
  const Font* font = m_pManager != nullptr ? m_pManager->GetFont(m_iFont) : nullptr;
  CRenderEngine::DrawText(hDC, font, rc, m_sText.Str(), color, m_uTextStyle);
}

}  // namespace ui
