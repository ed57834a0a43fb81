#pragma once
// CTabBase: a page of the video settings dialog. The dialog hands each notification to the page of
// the current tab, which tells whether it acted and how that went.

#include <initializer_list>
#include <optional>

#include "cameraclient/CameraClient.h"
#include "platform/ui/UIlib.h"

class CVideoCfg;

class CTabBase {
 public:
  // What Notify returns.
  static constexpr int kFailed = 0;   // the page acted and it failed
  static constexpr int kDone = 1;     // the page acted and it succeeded
  static constexpr int kNotMine = 2;  // the notification was not the page's

  CTabBase(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog);
  virtual ~CTabBase();
  CTabBase(const CTabBase&) = delete;
  CTabBase& operator=(const CTabBase&) = delete;

  virtual int Notify(ui::TNotifyUI& msg) = 0;

 protected:
  static int ResultOf(bool succeeded) { return succeeded ? kDone : kFailed; }
  // The number a one-value Get gives; nullopt when the camera did not give it.
  std::optional<int> ReadNumber(int (*get)(CameraClientHandle, int*)) const;
  // A notice box over the dialog.
  void ShowMessage(const char* text);
  // Missing controls are skipped.
  static void Hide(std::initializer_list<ui::CControlUI*> controls);
  // Shows the number as "%d" in the control (when it exists).
  static void ShowNumber(ui::CControlUI* control, long long value);

  CVideoCfg* m_pOwner;
  CameraClientHandle m_handle;
  ui::CPaintManagerUI* m_pm;
};
