#pragma once
// CVideoCfg: the open camera's video settings in three tab pages: encoding (CVideoFrame), on-screen
// text (CVidoOSD) and image (CVideoPara). Each page reads the camera when the dialog is built; the
// image page writes each change at once, the other two on their OK button. The connection is the
// main window's; the dialog only uses it.

#include <memory>

#include "cameraclient/CameraClient.h"
#include "platform/ui/UIlib.h"

class CTabBase;

class CVideoCfg : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  explicit CVideoCfg(CameraClientHandle handle);
  ~CVideoCfg() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

 private:
  // Routes a notification: a tab option selects its page, anything else goes to the current page.
  void Route(ui::TNotifyUI& msg);

  CameraClientHandle m_handle;
  std::unique_ptr<CTabBase> m_pFramePage;
  std::unique_ptr<CTabBase> m_pOsdPage;
  std::unique_ptr<CTabBase> m_pParaPage;
  bool m_bReady = false;
};
