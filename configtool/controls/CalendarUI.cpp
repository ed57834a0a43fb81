#include "configtool/controls/CalendarUI.h"

#include "common/ControlLookup.h"
#include "configtool/controls/EditEXUI.h"
#include "configtool/controls/JqDateTimeUI.h"
#include "configtool/controls/OwnLayout.h"

using namespace ui;

namespace {

constexpr const char* kLayout = "Calendar.xml";

}  // namespace

CCalendarUI::CCalendarUI(CPaintManagerUI* manager) : m_value(DateTimeValue::Now()) {
  BuildOwnLayout(*this, kLayout, manager);
}

CCalendarUI::~CCalendarUI() = default;

void CCalendarUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  CContainerUI::SetManager(manager, parent, init);
  if (manager != m_link.Manager()) m_link.Detach();
  if (manager == nullptr || parent == nullptr || !init) return;
  m_pEdit = FindSubControlAs<CEditEXUI>(manager, this, "EditEX", "EditEX");
  m_pPicker = FindSubControlAs<CJqDateTimeUI>(manager, this, "DateTimeUI1", "DateTime");
  ShowValue();
  m_link.Attach(manager);
}

void CCalendarUI::Notify(TNotifyUI& msg) {
  if (msg.sType != "textchanged" || msg.pSender == nullptr) return;
  if (m_pEdit != nullptr && msg.pSender == m_pEdit) {
    m_value.Assign(m_pEdit->GetValue());
    if (m_pPicker != nullptr) m_pPicker->SetValue(m_value);
  } else if (m_pPicker != nullptr && msg.pSender == m_pPicker) {
    m_value.Assign(m_pPicker->GetValue());
    if (m_pEdit != nullptr) m_pEdit->SetValue(m_value);
  }
}

bool CCalendarUI::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  const bool taken = m_value.SetDateTime(year, month, day, hour, minute, second);
  ShowValue();
  return taken;
}

void CCalendarUI::ShowValue() {
  if (m_pEdit != nullptr) m_pEdit->SetValue(m_value);
  if (m_pPicker != nullptr) m_pPicker->SetValue(m_value);
}
