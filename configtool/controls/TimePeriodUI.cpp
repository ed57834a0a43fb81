#include "configtool/controls/TimePeriodUI.h"

#include <algorithm>
#include <cstring>

#include "configtool/controls/TimePeriodEditWnd.h"
#include "configtool/controls/TimePeriodWnd.h"
#include "platform/ui/controls/ControlHelpers.h"

using namespace ui;

// Eight full-week entries take 415 bytes as text, more with the blanks an operator may type;
// the edit's default of 255 would stop the typing of a full schedule.
CTimePeriodUI::CTimePeriodUI() { SetMaxChar(1023); }

CTimePeriodUI::~CTimePeriodUI() {
  if (m_pPopup == nullptr) return;
  CTimePeriodWnd* popup = m_pPopup;
  m_pPopup = nullptr;
  popup->DetachOwner();
}

const char* CTimePeriodUI::GetClass() const { return "TimePeriodUI"; }

void* CTimePeriodUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "TimePeriod") == 0) return this;
  return CEditUI::GetInterface(name);
}

void CTimePeriodUI::SetAttribute(const char* name, const char* value) { CEditUI::SetAttribute(name, value); }

HWND CTimePeriodUI::GetPopupWindow() const { return m_pPopup != nullptr ? m_pPopup->GetHWND() : nullptr; }

bool CTimePeriodUI::TakeText(const std::string& text, bool* changed) {
  TimeSegmentsPacked parsed{};
  if (!text.empty() && !ParseTimeSegments(parsed, text)) return false;
  const std::string shown = FormatTimeSegments(parsed);
  const bool differs = shown != m_sText.Str();
  m_segments = parsed;
  m_sText = shown;
  Invalidate();
  if (differs && m_pPopup != nullptr) m_pPopup->OwnerSegmentsChanged();
  if (changed != nullptr) *changed = differs;
  return true;
}

void CTimePeriodUI::SetText(const char* text) {
  if (text == nullptr || !TakeText(text, nullptr)) return;
  if (HWND edit = GetEditWindow()) ::ui::SetWindowText(edit, m_sText);
}

void CTimePeriodUI::TakeTypedText(const std::string& text) {
  if (text == m_sText.Str()) return;
  bool changed = false;
  if (TakeText(text, &changed) && changed) NotifyEditChanged();
}

bool CTimePeriodUI::SetSegments(const TimeSegmentsPacked& segments) {
  if (!AreTimeSegmentsValid(segments)) return false;
  SetText(FormatTimeSegments(segments).c_str());
  return true;
}

void CTimePeriodUI::CreateEditWindow() {
  if (m_pWindow != nullptr || m_pManager == nullptr || m_pManager->GetPaintWindow() == nullptr) return;
  auto* window = new CTimePeriodEditWnd;
  m_pWindow = window;
  window->Init(this);
  if (window->GetHWND() == nullptr) {
    m_pWindow = nullptr;
    delete window;
  }
  Invalidate();
}

void CTimePeriodUI::OpenPopup() {
  if (m_pPopup != nullptr) return;
  auto* popup = new CTimePeriodWnd;
  m_pPopup = popup;
  if (!popup->Init(this)) {
    m_pPopup = nullptr;
    delete popup;
  }
}

void CTimePeriodUI::ClosePopup() {
  if (m_pPopup != nullptr) m_pPopup->Close(IDOK);
}

void CTimePeriodUI::SetPos(RECT rc, bool needInvalidate) {
  CEditUI::SetPos(rc, needInvalidate);
  if (m_pPopup == nullptr) return;
  if (IsVisible()) {
    m_pPopup->MoveToOwner();
  } else {
    ClosePopup();
  }
}

void CTimePeriodUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  switch (event.Type) {
    case UIEVENT_KILLFOCUS:
      if (IsEnabled()) ClosePopup();
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
    case UIEVENT_DBLCLICK: {
      if (!IsEnabled()) return;
      if (m_pManager != nullptr) m_pManager->ReleaseCapture();
      if (IsFocused()) {
        CreateEditWindow();
        OpenPopup();
      }
      const HWND edit = GetEditWindow();
      if (edit == nullptr) return;
      // The press goes on to the edit window, at the nearest point inside it.
      const RECT pos = GetEditPos();
      const long x = std::clamp<long>(event.ptMouse.x, pos.left, std::max(pos.left, pos.right - 1)) - pos.left;
      const long y = std::clamp<long>(event.ptMouse.y, pos.top, std::max(pos.top, pos.bottom - 1)) - pos.top;
      const UINT message = event.Type == UIEVENT_BUTTONDOWN    ? WM_LBUTTONDOWN
                           : event.Type == UIEVENT_RBUTTONDOWN ? WM_RBUTTONDOWN
                                                               : WM_LBUTTONDBLCLK;
      ::ui::SendMessage(edit, message, event.wKeyState, MAKELPARAM(x, y));
      // The edit window takes the mouse until the button comes up; when it came up before the
      // press reached the edit window, the release goes after it.
      if (message == WM_LBUTTONDOWN && GetKeyState(VK_LBUTTON) >= 0 && ::ui::GetCapture() == edit) {
        ::ui::SendMessage(edit, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
      }
      return;
    }
    default:
      break;
  }
  CEditUI::DoEvent(event);
}
