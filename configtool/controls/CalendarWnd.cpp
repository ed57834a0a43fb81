#include "configtool/controls/CalendarWnd.h"

#include "common/ControlLookup.h"
#include "configtool/controls/EditEX1UI.h"
#include "configtool/controls/JqDateTimeUI.h"
#include "configtool/controls/OwnLayout.h"
#include "configtool/controls/PopupPlacement.h"

using namespace ui;

namespace {

constexpr const char* kLayout = "CDateTimeUI.xml";
constexpr int kCellSize = 24;
constexpr int kDaysInWeek = 7;

}  // namespace

bool CCalendarWnd::Init(CJqDateTimeUI* owner) {
  m_pOwner = owner;
  if (m_hWnd != nullptr) return true;
  CPaintManagerUI* ownerManager = owner->GetManager();
  if (ownerManager == nullptr || ownerManager->GetPaintWindow() == nullptr) return false;
  if (Create(ownerManager->GetPaintWindow(), "", WS_POPUP, 0, PlacePopupBelow(*owner, SIZE{kWidth, kHeight})) == nullptr) return false;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(ownerManager->GetFont(owner->GetFont())), 1);
  return true;
}

void CCalendarWnd::DetachOwner() {
  m_pOwner = nullptr;
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);  // deletes this
}

const char* CCalendarWnd::GetWindowClassName() const { return "CCalendarWnd"; }

UINT CCalendarWnd::GetClassStyle() const { return CS_DBLCLKS; }

LRESULT CCalendarWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      // Without its layout the pop-up stays empty; Escape or a click elsewhere still closes it.
      BuildPopupLayout(m_pm, m_hWnd, kLayout);
      m_pm.AddNotifier(this);
      m_pm.AddPreMessageFilter(this);
      return 0;
    case WM_SIZE: {
      const SIZE round = m_pm.GetRoundCorner();
      if (round.cx != 0 || round.cy != 0) SetWindowRoundCorner(m_hWnd, static_cast<int>(round.cx), static_cast<int>(round.cy));
      break;
    }
    case WM_KILLFOCUS:
      if (GetActiveWindow() != m_hWnd) Close(IDOK);
      break;
    case WM_NCACTIVATE:
      return wParam == 0 ? 1 : 0;
    case WM_NCPAINT:
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
      return CWindowWnd::HandleMessage(message, wParam, lParam);
    default:
      break;
  }
  if (m_pm.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

LRESULT CCalendarWnd::MessageHandler(UINT message, WPARAM wParam, LPARAM, bool&) {
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return OnDialogKey(wParam);
  return 0;
}

LRESULT CCalendarWnd::OnDialogKey(WPARAM key) {
  if (key != VK_ESCAPE) return 0;
  Close(IDOK);
  return 1;
}

void CCalendarWnd::OnFinalMessage(HWND) {
  m_pm.RemovePreMessageFilter(this);
  m_pm.RemoveNotifier(this);
  if (m_pOwner != nullptr) m_pOwner->m_pPopup = nullptr;
  delete this;
}

void CCalendarWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == "windowinit") {
    Bind();
  } else if (msg.sType == "click" && msg.pSender != nullptr) {
    OnClick(msg.pSender);
  }
}

void CCalendarWnd::Bind() {
  m_pBtnPreMonth = m_pm.FindControl("btnPreMonth");
  m_pBtnNextMonth = m_pm.FindControl("btnNextMonth");
  m_pBtnPreYear = m_pm.FindControl("btnPreYear");
  m_pBtnNextYear = m_pm.FindControl("btnNextYear");
  m_pSetDate = m_pm.FindControl("SetDate");
  m_pCurrent = m_pm.FindControl("edtCurrent");
  m_pDay = FindSubControlAs<CContainerUI>(&m_pm, nullptr, "Day", "Container");
  m_pTime = FindSubControlAs<CEditEX1UI>(&m_pm, nullptr, "EditEXDate", "Edit1EX");
  if (m_pOwner != nullptr) {
    m_shown.Assign(m_pOwner->GetValue());
    m_picked.Assign(m_pOwner->GetValue());
    if (m_pTime != nullptr) m_pTime->SetValue(m_pOwner->GetValue());
  }
  BuildMonthGrid();
}

void CCalendarWnd::OnClick(CControlUI* sender) {
  if (sender == m_pSetDate) {
    Confirm();
    return;
  }
  if (sender == m_pBtnPreMonth || sender == m_pBtnNextMonth) {
    m_shown.Assign(m_shown.AddMonths(sender == m_pBtnPreMonth ? -1 : 1));
  } else if (sender == m_pBtnPreYear || sender == m_pBtnNextYear) {
    m_shown.Assign(m_shown.AddYears(sender == m_pBtnPreYear ? -1 : 1));
  } else {
    const UINT_PTR day = sender->GetTag();
    if (day < 1 || day > 31) return;
    m_shown.SetDay(static_cast<int>(day));
  }
  m_picked.CopyAll(m_shown);
  // The clicked day cell is among the controls this removes: the framework deletes them only
  // after the click has been handled.
  BuildMonthGrid();
}

void CCalendarWnd::Confirm() {
  CJqDateTimeUI* owner = m_pOwner;
  const HWND self = m_hWnd;
  if (owner != nullptr) {
    owner->m_value.CopyDate(m_picked);
    if (m_pTime != nullptr) owner->m_value.CopyTime(m_pTime->GetValue());
    // The owner's window may react by destroying the owner, and with it this pop-up.
    if (CPaintManagerUI* manager = owner->GetManager()) manager->SendNotify(owner, "textchanged");
  }
  if (IsWindow(self)) Close(IDOK);
}

void CCalendarWnd::BuildMonthGrid() {
  if (m_pCurrent != nullptr) m_pCurrent->SetText(m_shown.FormatDate().c_str());
  if (m_pDay == nullptr) return;
  m_pDay->RemoveAll();
  DateTimeValue date = m_shown.AddDays(1 - m_shown.day);
  const int days = DaysInMonth(m_shown.year, m_shown.month + 1);
  // Monday is the first column, Sunday the seventh.
  int column = date.GetWeekday() == 0 ? kDaysInWeek : date.GetWeekday();
  auto* row = new CHorizontalLayoutUI;
  row->SetFixedHeight(kCellSize);
  m_pDay->Add(row);
  auto* spacer = new CHorizontalLayoutUI;
  spacer->SetFixedHeight(kCellSize);
  spacer->SetFixedWidth((column - 1) * kCellSize);
  row->Add(spacer);
  for (int day = 1; day <= days; ++day) {
    if (column > kDaysInWeek) {
      row = new CHorizontalLayoutUI;
      row->SetFixedHeight(kCellSize);
      m_pDay->Add(row);
      column = 1;
    }
    row->Add(NewDayCell(date));
    ++column;
    date = date.AddDays(1);
  }
}

CControlUI* CCalendarWnd::NewDayCell(const DateTimeValue& date) const {
  auto* cell = new CButtonUI;
  cell->SetFont(0);
  if (date.IsSameTime(m_picked)) cell->SetBkColor(CStyleManagerUI::Instance()->GetColor("l_bk"));
  CDuiString text;
  text.Format("%d-%02d-%02d", date.year, date.month + 1, date.day);
  cell->SetToolTip(text);
  cell->SetFixedHeight(kCellSize);
  cell->SetFixedWidth(kCellSize);
  text.Format("%d", date.day);
  cell->SetText(text);
  cell->SetTextColor(CStyleManagerUI::Instance()->GetColor("ca_all_text"));
  cell->SetTag(static_cast<UINT_PTR>(date.day));
  cell->SetTextStyle(DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  return cell;
}
