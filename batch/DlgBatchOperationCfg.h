#pragma once
// CDlgBatchOperationCfg: the batch program's main dialog, with one tab per batch operation:
// update by version (key 0), configuration import (1) and update with a picked image (2). It
// starts the camera search, lists the cameras the device threads hand over, routes
// notifications to the visible tab's operator and shows the rows' posts.
//
// It refuses to close while any tab works. When it goes, it stops every worker and waits for
// every thread the program started.

#include <map>
#include <memory>

#include "batch/BatchOpratorBase.h"
#include "batch/DeviceClaims.h"
#include "batch/DeviceDiscovery.h"
#include "batch/TaskBase.h"
#include "platform/ui/UIlib.h"

class CDlgBatchOperationCfg : public ui::CDialogWnd, public ui::INotifyUI, public CTaskBase {
 public:
  // Loads the saved logins.
  CDlgBatchOperationCfg();
  // Stops the workers, waits (at least 10 s, and until no device thread holds a permit) and
  // joins every thread the program started.
  ~CDlgBatchOperationCfg() override;

  // The builder callback for the dialog's own layout.
  ui::IDialogBuilderCallback* ControlFactory() { return &m_factory; }

  // Creates the three operators and starts the search.
  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;
  // Clears every operator's run flag, then its rows' (StopOperators).
  void StopHook() override;

  CBatchOpratorBase* Operator(int key) const;
  int CurrentKey() const { return m_currentKey; }
  DeviceDiscovery* Discovery() const { return m_discovery.get(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void StopOperators();
  void SelectTab(int key);
  void CloseUnlessBusy();
  void ListReadyDevices();
  void RefreshDeviceRows(const DeviceInfo& device);
  void WaitForDeviceThreads();

  ui::CJqExControlFactory m_factory;
  std::map<int, CBatchOpratorBase*> m_operators;
  DeviceClaims m_claims;
  std::shared_ptr<DeviceDiscovery> m_discovery;
  ui::CControlUI* m_pCloseBtn = nullptr;
  int m_currentKey = 0;
  bool m_ready = false;
};

// The program's main dialog, created on first use; a new one after the last is gone.
CDlgBatchOperationCfg* GetBatchDialog();
