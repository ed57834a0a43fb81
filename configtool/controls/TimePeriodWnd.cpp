#include "configtool/controls/TimePeriodWnd.h"

#include "common/ControlLookup.h"
#include "configtool/controls/OwnLayout.h"
#include "configtool/controls/PopupPlacement.h"
#include "configtool/controls/TimePeriodPickerUI.h"
#include "configtool/controls/TimePeriodUI.h"

using namespace ui;

namespace {

constexpr const char* kLayout = "TimePeriodWnd.xml";
constexpr const char* kInvalidSchedule = "时间段设置无效，请检查后重试！";

}  // namespace

bool CTimePeriodWnd::Init(CTimePeriodUI* owner) {
  m_pOwner = owner;
  CPaintManagerUI* ownerManager = owner->GetManager();
  if (ownerManager == nullptr || ownerManager->GetPaintWindow() == nullptr) return false;
  if (Create(ownerManager->GetPaintWindow(), "", WS_POPUP, WS_EX_TOOLWINDOW, PlacePopupBelow(*m_pOwner, SIZE{kWidth, kHeight})) == nullptr) return false;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(ownerManager->GetFont(owner->GetFont())), 1);
  ShowWindow(true, false);
  return true;
}

void CTimePeriodWnd::DetachOwner() {
  m_pOwner = nullptr;
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);  // deletes this
}

void CTimePeriodWnd::MoveToOwner() {
  if (m_pOwner == nullptr || m_hWnd == nullptr) return;
  const RECT rc = PlacePopupBelow(*m_pOwner, SIZE{kWidth, kHeight});
  SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, RectWidth(rc), RectHeight(rc), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTimePeriodWnd::OwnerSegmentsChanged() {
  if (m_pOwner != nullptr && m_pPicker != nullptr) m_pPicker->SetSegments(m_pOwner->GetSegments());
}

const char* CTimePeriodWnd::GetWindowClassName() const { return "CTimePeriodWnd"; }

UINT CTimePeriodWnd::GetClassStyle() const { return CS_DBLCLKS; }

LRESULT CTimePeriodWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    // Without its layout the pop-up stays empty; Escape or the field losing the focus closes it.
    BuildPopupLayout(m_pm, m_hWnd, kLayout);
    m_pm.AddNotifier(this);
    m_pm.AddPreMessageFilter(this);
    Bind();
    return 0;
  }
  // Losing the focus (to the field's edit window or anywhere else) does not close the pop-up.
  LRESULT result = 0;
  if (m_pm.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void CTimePeriodWnd::Bind() {
  m_pPicker = FindSubControlAs<CTimePeriodPickerUI>(&m_pm, nullptr, "period_picker", "TimePeriodPicker");
  m_pBtnSet = m_pm.FindControl("btn_set");
  if (m_pPicker == nullptr) return;
  m_pPicker->BindEditBox(FindSubControlAs<CEditUI>(&m_pm, nullptr, "period_edit", "Edit"));
  m_pPicker->ListenTo(&m_pm);
  if (m_pOwner != nullptr) m_pPicker->SetSegments(m_pOwner->GetSegments());
}

LRESULT CTimePeriodWnd::MessageHandler(UINT message, WPARAM wParam, LPARAM, bool&) {
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) Close(IDOK);
  return 0;
}

void CTimePeriodWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr && msg.pSender == m_pBtnSet) WriteBack();
}

// The picker's schedule goes to the field as it is; one that cannot be written as text keeps the
// pop-up open, so that nothing of the drawing is lost silently.
void CTimePeriodWnd::WriteBack() {
  if (m_pOwner == nullptr || m_pPicker == nullptr) {
    Close(IDOK);
    return;
  }
  if (m_pOwner->SetSegments(m_pPicker->GetSegments())) {
    Close(IDOK);
    return;
  }
  UIMessageBox(m_hWnd, kInvalidSchedule);
}

void CTimePeriodWnd::OnFinalMessage(HWND) {
  m_pm.RemovePreMessageFilter(this);
  m_pm.RemoveNotifier(this);
  if (m_pOwner != nullptr) m_pOwner->m_pPopup = nullptr;
  delete this;
}
