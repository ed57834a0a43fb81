#include "platform/ui/controls/UIProgress.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("Progress", [](CPaintManagerUI*) { return new CProgressUI; });

}  // namespace

CProgressUI::CProgressUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

const char* CProgressUI::GetClass() const { return "ProgressUI"; }

void* CProgressUI::GetInterface(const char* name) {
  if (IsName(name, "Progress")) return this;
  return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
  if (m_bHorizontal == horizontal) return;
  m_bHorizontal = horizontal;
  Invalidate();
}

void CProgressUI::SetMinValue(int min) {
  m_nMin = min;
  if (m_nMax < m_nMin) m_nMax = m_nMin;
  SetValue(m_nValue);
  Invalidate();
}

void CProgressUI::SetMaxValue(int max) {
  m_nMax = max;
  if (m_nMin > m_nMax) m_nMin = m_nMax;
  SetValue(m_nValue);
  Invalidate();
}

void CProgressUI::SetValue(int value) {
  value = std::clamp(value, m_nMin, m_nMax);
  if (m_nValue == value) return;
  m_nValue = value;
  Invalidate();
}

void CProgressUI::SetForeImage(const char* image) {
  m_sForeImage = image;
  Invalidate();
}

void CProgressUI::SetForeColor(DWORD color) {
  m_dwForeColor = color;
  Invalidate();
}

void CProgressUI::SetAttribute(const char* name, const char* value) {
  if (IsName(name, "foreimage")) {
    SetForeImage(value);
  } else if (IsName(name, "forecolor")) {
    SetForeColor(ParseColorAttribute(value));
  } else if (IsName(name, "hor")) {
    SetHorizontal(ParseBoolAttribute(value));
  } else if (IsName(name, "min")) {
    SetMinValue(std::atoi(value));
  } else if (IsName(name, "max")) {
    SetMaxValue(std::atoi(value));
  } else if (IsName(name, "value")) {
    SetValue(std::atoi(value));
  } else {
    CLabelUI::SetAttribute(name, value);
  }
}

RECT CProgressUI::FilledRect() const {
  RECT rc = m_rcItem;
  if (m_nMax <= m_nMin) return RECT{rc.left, rc.top, rc.left, rc.top};
  // In 64 bits: a range from a layout may span the whole int.
  const long long span = static_cast<long long>(m_nMax) - m_nMin;
  const long long done = static_cast<long long>(m_nValue) - m_nMin;
  if (m_bHorizontal) {
    rc.right = rc.left + static_cast<long>(RectWidth(m_rcItem) * done / span);
  } else {
    rc.top = rc.bottom - static_cast<long>(RectHeight(m_rcItem) * done / span);
  }
  return rc;
}

void CProgressUI::PaintStatusImage(HDC hDC) {
  const RECT filled = FilledRect();
  if (RectWidth(filled) <= 0 || RectHeight(filled) <= 0) return;
  if (m_dwForeColor != 0) CRenderEngine::DrawColor(hDC, filled, m_dwForeColor);
  if (m_sForeImage.IsEmpty()) return;
  // The fore image is cut to the filled part: source and dest of the same share of it.
  CDuiString modify;
  const RECT dest{filled.left - m_rcItem.left, filled.top - m_rcItem.top, filled.right - m_rcItem.left,
                  filled.bottom - m_rcItem.top};
  modify.Format("dest='%ld,%ld,%ld,%ld'", dest.left, dest.top, dest.right, dest.bottom);
  if (!DrawImage(hDC, m_sForeImage, modify)) m_sForeImage.Empty();
}

}  // namespace ui
