#include "batch/Login.h"

#include "batch/LoginStore.h"
#include "common/ControlLookup.h"

void CLogin::SetDevice(std::shared_ptr<DeviceInfo> device) {
  m_device = std::move(device);
  if (m_device == nullptr) return;
  if (m_pUserName != nullptr) m_pUserName->SetText(m_device->User().c_str());
  if (m_pPassword != nullptr) m_pPassword->SetText(m_device->Password().c_str());
}

void CLogin::BindControls() {
  m_pOk = FindDialogControl<ui::CButtonUI>(m_pm, "ok");
  m_pCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  m_pClose = FindDialogControl<ui::CButtonUI>(m_pm, "closebtn");
  m_pUserName = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_username");
  m_pPassword = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_pwd");
}

void CLogin::Notify(ui::TNotifyUI& msg) {
  if (msg.sType != "click" || msg.pSender == nullptr) return;
  if (msg.pSender == m_pOk) {
    Accept();
  } else if (msg.pSender == m_pCancel || msg.pSender == m_pClose) {
    Cancel();
  }
}

void CLogin::Accept() {
  if (m_device != nullptr) {
    // Taken as typed: no trimming, empty texts allowed. Only what the saved-login file cannot
    // hold is refused, before anything changes.
    const std::string user = m_pUserName != nullptr ? m_pUserName->GetText().Str() : "";
    const std::string password = m_pPassword != nullptr ? m_pPassword->GetText().Str() : "";
    if (!IsStorableLoginText(user) || !IsStorableLoginText(password)) {
      ui::UIMessageBox(m_hWnd, "用户名和密码不能包含分号或换行！");
      return;
    }
    m_device->SetLogin(user, password);
    // A refused login shows on the row afterwards; OK counts all the same.
    m_device->OpenDevice();
  }
  m_accepted = true;
  Close(IDOK);
}

void CLogin::Cancel() {
  m_accepted = false;
  Close(IDCANCEL);
}
