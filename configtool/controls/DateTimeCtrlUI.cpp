#include "configtool/controls/DateTimeCtrlUI.h"

#include "common/ControlLookup.h"
#include "configtool/controls/DateTimeValue.h"
#include "configtool/controls/OwnLayout.h"
#include "configtool/controls/TextScanner.h"

using namespace ui;

namespace {

constexpr const char* kLayout = "DateTimeCtrl.xml";
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2200;

}  // namespace

CDateTimeCtrlUI::CDateTimeCtrlUI(CPaintManagerUI* manager) {
  BuildOwnLayout(*this, kLayout, manager);
}

CDateTimeCtrlUI::~CDateTimeCtrlUI() = default;

void CDateTimeCtrlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  CContainerUI::SetManager(manager, parent, init);
  if (manager != m_link.Manager()) m_link.Detach();
  if (manager == nullptr || parent == nullptr || !init) return;
  m_pYear = FindSubControlAs<CEditUI>(manager, this, "edit_year", "Edit");
  m_pMonth = FindSubControlAs<CComboUI>(manager, this, "cmb_month", "Combo");
  m_pDay = FindSubControlAs<CComboUI>(manager, this, "cmb_day", "Combo");
  m_pHour = FindSubControlAs<CComboUI>(manager, this, "cmb_hour", "Combo");
  m_pMinute = FindSubControlAs<CComboUI>(manager, this, "cmb_minute", "Combo");
  m_pSecond = FindSubControlAs<CComboUI>(manager, this, "cmb_second", "Combo");
  m_link.Attach(manager);
}

void CDateTimeCtrlUI::Notify(TNotifyUI& msg) {
  if (msg.pSender == nullptr) return;
  const bool monthPicked = msg.sType == "itemselect" && m_pMonth != nullptr && msg.pSender == m_pMonth;
  const bool yearTyped = msg.sType == "textchanged" && m_pYear != nullptr && msg.pSender == m_pYear;
  if (monthPicked || yearTyped) RefreshDays();
}

void CDateTimeCtrlUI::RefreshDays() {
  int year = m_pYear != nullptr ? LeadingInt(m_pYear->GetText().Str()) : 0;
  if (year < kFirstYear || year > kLastYear) year = 0;
  const int month = m_pMonth != nullptr ? LeadingInt(m_pMonth->GetText().Str()) : 0;
  m_dayCount = static_cast<std::uint16_t>(DaysInMonth(year, month));
  if (m_pDay == nullptr) return;
  while (m_pDay->GetCount() > m_dayCount) m_pDay->RemoveAt(m_pDay->GetCount() - 1);
  while (m_pDay->GetCount() < m_dayCount) {
    auto* item = new CListLabelElementUI;
    CDuiString text;
    text.Format("%02d", m_pDay->GetCount() + 1);
    item->SetText(text);
    m_pDay->Add(item);
  }
}
