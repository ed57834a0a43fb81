#include "platform/ui/controls/UISlider.h"

#include <algorithm>

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("Slider", [](CPaintManagerUI*) { return new CSliderUI; });
constexpr DWORD kDefaultThumbColor = 0xFF3F8EDB;
constexpr DWORD kDefaultFillColor = 0xFF8EC1F0;

}  // namespace

const char* CSliderUI::GetClass() const { return "SliderUI"; }

void* CSliderUI::GetInterface(const char* name) {
  if (IsName(name, "Slider")) return this;
  return CProgressUI::GetInterface(name);
}

UINT CSliderUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR : 0; }

void CSliderUI::SetEnabled(bool enabled) {
  CProgressUI::SetEnabled(enabled);
  if (!IsEnabled()) m_uButtonState = 0;
}

void CSliderUI::SetThumbSize(SIZE size) {
  m_szThumb = size;
  Invalidate();
}

RECT CSliderUI::GetThumbRect() const {
  const long long span = std::max(1LL, static_cast<long long>(m_nMax) - m_nMin);
  const long long done = static_cast<long long>(m_nValue) - m_nMin;
  if (m_bHorizontal) {
    const long travel = std::max(0L, RectWidth(m_rcItem) - m_szThumb.cx);
    const long left = m_rcItem.left + static_cast<long>(travel * done / span);
    const long top = (m_rcItem.top + m_rcItem.bottom - m_szThumb.cy) / 2;
    return RECT{left, top, left + m_szThumb.cx, top + m_szThumb.cy};
  }
  const long travel = std::max(0L, RectHeight(m_rcItem) - m_szThumb.cy);
  const long top = m_rcItem.bottom - m_szThumb.cy - static_cast<long>(travel * done / span);
  const long left = (m_rcItem.left + m_rcItem.right - m_szThumb.cx) / 2;
  return RECT{left, top, left + m_szThumb.cx, top + m_szThumb.cy};
}

int CSliderUI::ValueAt(POINT pt) const {
  const long long span = static_cast<long long>(m_nMax) - m_nMin;
  const long travel = m_bHorizontal ? RectWidth(m_rcItem) - m_szThumb.cx : RectHeight(m_rcItem) - m_szThumb.cy;
  if (span <= 0 || travel <= 0) return m_nMin;
  const long offset = m_bHorizontal ? pt.x - m_rcItem.left - m_szThumb.cx / 2
                                    : m_rcItem.bottom - m_szThumb.cy / 2 - pt.y;
  // Rounded to the nearest value.
  const long long value = m_nMin + (2 * offset * span + travel) / (2 * travel);
  return static_cast<int>(std::clamp<long long>(value, m_nMin, m_nMax));
}

void CSliderUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (TrackHotState(*this, m_uButtonState, event)) return;
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (IsEnabled() && PointInRect(m_rcItem, event.ptMouse)) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        m_nValueAtPress = m_nValue;
        // A press on the track moves the thumb there at once.
        if (!PointInRect(GetThumbRect(), event.ptMouse)) {
          const int value = ValueAt(event.ptMouse);
          if (value != m_nValue) {
            SetValue(value);
            if (m_pManager != nullptr) m_pManager->SendNotify(this, "slidermousemove");
          }
        }
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        const int value = ValueAt(event.ptMouse);
        if (value != m_nValue) {
          SetValue(value);
          if (m_pManager != nullptr) m_pManager->SendNotify(this, "slidermousemove");
        }
      } else if (IsEnabled() && PointInRect(m_rcItem, event.ptMouse) && m_pManager != nullptr) {
        m_pManager->SendNotify(this, "slider_nocap_mousemove", static_cast<WPARAM>(ValueAt(event.ptMouse)));
      }
      return;
    case UIEVENT_BUTTONUP:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        SetValue(ValueAt(event.ptMouse));
        Invalidate();
        if (m_nValue != m_nValueAtPress && m_pManager != nullptr) m_pManager->SendNotify(this, "valuechanged");
      }
      return;
    default:
      CProgressUI::DoEvent(event);
      return;
  }
}

void CSliderUI::SetAttribute(const char* name, const char* value) {
  if (IsName(name, "thumbimage")) {
    m_sThumbImage = value;
  } else if (IsName(name, "thumbhotimage")) {
    m_sThumbHotImage = value;
  } else if (IsName(name, "thumbpushedimage")) {
    m_sThumbPushedImage = value;
  } else if (IsName(name, "thumbsize")) {
    m_szThumb = ParseSizeAttribute(value);
  } else if (IsName(name, "thumbcolor")) {
    m_dwThumbColor = ParseColorAttribute(value);
  } else {
    CProgressUI::SetAttribute(name, value);
    return;
  }
  Invalidate();
}

void CSliderUI::PaintStatusImage(HDC hDC) {
  const RECT thumb = GetThumbRect();
  // The track is filled up to the middle of the thumb.
  RECT filled = m_rcItem;
  if (m_bHorizontal) {
    filled.right = (thumb.left + thumb.right) / 2;
  } else {
    filled.top = (thumb.top + thumb.bottom) / 2;
  }
  if (!m_sForeImage.IsEmpty()) {
    CProgressUI::PaintStatusImage(hDC);
  } else if (RectWidth(filled) > 0 && RectHeight(filled) > 0) {
    const long thickness = 4;
    RECT bar = filled;
    if (m_bHorizontal) {
      bar.top = (m_rcItem.top + m_rcItem.bottom - thickness) / 2;
      bar.bottom = bar.top + thickness;
    } else {
      bar.left = (m_rcItem.left + m_rcItem.right - thickness) / 2;
      bar.right = bar.left + thickness;
    }
    CRenderEngine::DrawColor(hDC, bar, m_dwForeColor != 0 ? m_dwForeColor : kDefaultFillColor);
  }
  CDuiString modify;
  modify.Format("dest='%ld,%ld,%ld,%ld'", thumb.left - m_rcItem.left, thumb.top - m_rcItem.top,
                thumb.right - m_rcItem.left, thumb.bottom - m_rcItem.top);
  CDuiString* image = &m_sThumbImage;
  if ((m_uButtonState & UISTATE_CAPTURED) != 0 && !m_sThumbPushedImage.IsEmpty()) {
    image = &m_sThumbPushedImage;
  } else if ((m_uButtonState & UISTATE_HOT) != 0 && !m_sThumbHotImage.IsEmpty()) {
    image = &m_sThumbHotImage;
  }
  if (!image->IsEmpty() && DrawImage(hDC, *image, modify)) return;
  const DWORD color = !IsEnabled() ? 0xFFB0B0B0 : (m_dwThumbColor != 0 ? m_dwThumbColor : kDefaultThumbColor);
  CRenderEngine::DrawRoundColor(hDC, thumb, static_cast<int>(m_szThumb.cx), static_cast<int>(m_szThumb.cy), color);
}

}  // namespace ui
