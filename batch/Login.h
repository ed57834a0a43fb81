#pragma once
// CLogin: the modal dialog in which the operator types the user name and password of one
// camera of the lists. OK stores both in the device record and logs in again with them; the
// opener reads whether OK was chosen after the modal loop.

#include <memory>

#include "batch/DeviceInfo.h"
#include "platform/ui/UIlib.h"

class CLogin : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  CLogin() = default;
  ~CLogin() override = default;

  // Keeps the device and shows its login in the two edits.
  void SetDevice(std::shared_ptr<DeviceInfo> device);
  bool IsAccepted() const { return m_accepted; }

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

 private:
  void Accept();
  void Cancel();

  bool m_accepted = false;
  ui::CButtonUI* m_pOk = nullptr;
  ui::CButtonUI* m_pCancel = nullptr;
  ui::CButtonUI* m_pClose = nullptr;
  ui::CEditUI* m_pUserName = nullptr;
  ui::CEditUI* m_pPassword = nullptr;
  std::shared_ptr<DeviceInfo> m_device;
};
