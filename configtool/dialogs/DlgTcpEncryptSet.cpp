#include "configtool/dialogs/DlgTcpEncryptSet.h"

#include <string>
#include <vector>

#include "configtool/dialogs/DialogControls.h"
#include "configtool/dialogs/EncryptModeNames.h"

CDlgTcpEncryptSet::CDlgTcpEncryptSet(CameraClientHandle handle) : m_handle(handle) {}
CDlgTcpEncryptSet::~CDlgTcpEncryptSet() = default;

void CDlgTcpEncryptSet::BindControls() {
  m_pBtnOk = FindDialogControl<ui::CButtonUI>(m_pm, "ok");
  m_pBtnCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  m_pBtnSave = FindDialogControl<ui::CButtonUI>(m_pm, "save");
  m_pCmbType = FindDialogControl<ui::CComboUI>(m_pm, "dlg_cmb_type");
  m_pEditPwd = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_pwd");
  m_pEditNewPwd = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_new_pwd");
  m_pEditRepwd = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_repwd");
  m_pEditUserPwd = FindDialogControl<ui::CEditUI>(m_pm, "dlg_user_pwd");
  m_pOptModifyPwd = FindDialogControl<ui::COptionUI>(m_pm, "opt_modify_pwd");
  m_pOptResetPwd = FindDialogControl<ui::COptionUI>(m_pm, "opt_reset_pwd");
  m_pLblPwd = FindDialogControl<ui::CLabelUI>(m_pm, "dlg_lbl_pwd");
  EnablePasswordControls(false);
  LoadEncryptModes();
}

void CDlgTcpEncryptSet::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (msg.sType == "click") {
    if (sender == m_pBtnOk) {
      if (ChangePassword()) Close(IDOK);
    } else if (sender == m_pBtnCancel) {
      Close(IDCANCEL);
    } else if (sender == m_pBtnSave) {
      SetEncryptMode();
    }
  } else if (msg.sType == "itemselect") {
    if (sender == m_pCmbType) EnablePasswordControls(true);
  } else if (msg.sType == "option_click") {
    if (sender == m_pOptResetPwd && m_pLblPwd != nullptr) m_pLblPwd->SetText("主密码：");
    if (sender == m_pOptModifyPwd && m_pLblPwd != nullptr) m_pLblPwd->SetText("用户密码：");
  }
  CDialogWnd::Notify(msg);
}

void CDlgTcpEncryptSet::LoadEncryptModes() {
  if (m_handle == 0 || m_pCmbType == nullptr) return;
  CameraClientEncryptInfo info{};
  if (CameraClient_GetEncryptInfo(m_handle, &info) != 0) return;
  const std::vector<std::string> names = EncryptModeNames(info);
  for (const std::string& name : names) {
    auto* item = new ui::CListLabelElementUI;
    item->SetText(name.c_str());
    m_pCmbType->Add(item);
  }
  m_pCmbType->SelectItem(InitialEncryptModeItem(info, names.size()));
  if (m_pCmbType->GetCurSel() > 0) EnablePasswordControls(true);
}

void CDlgTcpEncryptSet::EnablePasswordControls(bool enable) {
  ui::CControlUI* const controls[] = {m_pEditPwd, m_pEditNewPwd, m_pEditRepwd, m_pOptModifyPwd, m_pOptResetPwd};
  for (ui::CControlUI* control : controls) {
    if (control != nullptr) control->SetEnabled(enable);
  }
}

void CDlgTcpEncryptSet::SetEncryptMode() {
  const std::string userPassword = DialogControlText(m_pEditUserPwd);
  if (userPassword.empty()) return ShowMessage("请输入用户密码！");
  // Without the camera's list of modes (its read failed) no mode is picked, and none is sent.
  const int mode = m_pCmbType != nullptr ? m_pCmbType->GetCurSel() : -1;
  if (mode < 0 || CameraClient_SetEncryptMode(m_handle, userPassword.c_str(), mode) != 0) {
    ShowMessage("设置加密方式失败，请检查密码是否正确！");
  } else {
    ShowMessage("设置加密方式成功！");
  }
  SetDialogControlText(m_pEditUserPwd, "");
}

bool CDlgTcpEncryptSet::ChangePassword() {
  const std::string oldPassword = DialogControlText(m_pEditPwd);
  const std::string newPassword = DialogControlText(m_pEditNewPwd);
  const std::string repeated = DialogControlText(m_pEditRepwd);
  const char* refusal = nullptr;
  if (oldPassword.empty()) {
    refusal = "请输入用户密码！";
  } else if (newPassword.empty()) {
    refusal = "请输入新密码！";
  } else if (repeated.empty()) {
    refusal = "请输入确认密码！";
  } else if (repeated != newPassword) {
    refusal = "两次输入密码不一致，请重新输入！";
  }
  if (refusal != nullptr) {
    ShowMessage(refusal);
    return false;
  }

  const bool modify = m_pOptModifyPwd != nullptr && m_pOptModifyPwd->IsSelected();
  const int result = modify ? CameraClient_SetEncryptPassword(m_handle, oldPassword.c_str(), newPassword.c_str())
                            : CameraClient_ResetEncryptPassword(m_handle, oldPassword.c_str(), newPassword.c_str());
  if (result != 0) {
    ShowMessage("设置密码失败，请检查原始密码是否正确！");
    SetDialogControlText(m_pEditPwd, "");
    return false;
  }
  ShowMessage("设置密码成功！");
  return true;
}

void CDlgTcpEncryptSet::ShowMessage(const char* text) { ui::UIMessageBox(m_hWnd, text); }
