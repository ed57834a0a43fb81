#include "configtool/controls/JqDateTimeUI.h"

#include <cstring>

#include "configtool/controls/CalendarWnd.h"
#include "platform/ui/controls/ControlHelpers.h"

using namespace ui;

CJqDateTimeUI::CJqDateTimeUI() : m_value(DateTimeValue::Now()) {}

CJqDateTimeUI::~CJqDateTimeUI() {
  if (m_pPopup == nullptr) return;
  CCalendarWnd* popup = m_pPopup;
  m_pPopup = nullptr;
  popup->DetachOwner();
}

const char* CJqDateTimeUI::GetClass() const { return "DateTimeUI"; }

void* CJqDateTimeUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "DateTime") == 0) return this;
  return CLabelUI::GetInterface(name);
}

bool CJqDateTimeUI::SetValue(const DateTimeValue& value) {
  if (!value.IsValid()) return false;
  m_value = value;
  return true;
}

HWND CJqDateTimeUI::GetPopupWindow() const { return m_pPopup != nullptr ? m_pPopup->GetHWND() : nullptr; }

void CJqDateTimeUI::OpenPopup() {
  if (IsFocused() && m_pPopup == nullptr) m_pPopup = new CCalendarWnd;
  if (m_pPopup == nullptr) return;
  CCalendarWnd* popup = m_pPopup;
  if (!popup->Init(this)) {
    m_pPopup = nullptr;
    delete popup;
    return;
  }
  popup->ShowWindow(true, true);
}

void CJqDateTimeUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  switch (event.Type) {
    case UIEVENT_SCROLLWHEEL:
      if (m_pPopup != nullptr) return;
      break;
    case UIEVENT_KILLFOCUS:
      if (IsEnabled()) {
        if (m_pPopup != nullptr) m_pPopup->Close(IDOK);
        Invalidate();
      }
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (!IsEnabled()) return;
      if (m_pManager != nullptr) m_pManager->ReleaseCapture();
      OpenPopup();
      return;
    default:
      break;
  }
  CButtonUI::DoEvent(event);
}
