#pragma once
// CDlgTcpEncryptSet: the open camera's TCP encryption. The operator picks the mode (confirmed
// with the user password) and changes the user password, or resets it with the master password.
// The connection is the main window's; the dialog only uses it.

#include "cameraclient/CameraClient.h"
#include "platform/ui/UIlib.h"

class CDlgTcpEncryptSet : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  explicit CDlgTcpEncryptSet(CameraClientHandle handle);
  ~CDlgTcpEncryptSet() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

 private:
  void LoadEncryptModes();
  void EnablePasswordControls(bool enable);
  void SetEncryptMode();
  // True when the camera took the new password.
  bool ChangePassword();
  void ShowMessage(const char* text);

  CameraClientHandle m_handle;
  ui::CButtonUI* m_pBtnOk = nullptr;
  ui::CButtonUI* m_pBtnCancel = nullptr;
  ui::CButtonUI* m_pBtnSave = nullptr;
  ui::CComboUI* m_pCmbType = nullptr;
  ui::CEditUI* m_pEditPwd = nullptr;
  ui::CEditUI* m_pEditNewPwd = nullptr;
  ui::CEditUI* m_pEditRepwd = nullptr;
  ui::CEditUI* m_pEditUserPwd = nullptr;
  ui::COptionUI* m_pOptModifyPwd = nullptr;
  ui::COptionUI* m_pOptResetPwd = nullptr;
  ui::CLabelUI* m_pLblPwd = nullptr;
};
