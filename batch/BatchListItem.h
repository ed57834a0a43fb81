#pragma once
// CBatchListItem: a row of a tab's device list. It shows one camera and what its worker
// reports. The worker never touches the row: it stores the status in the row's RowStatus and
// posts WM_ITEM_REFRESH with the row's number; the main dialog finds the row by that number
// (when it still lives) and lets it show the status on the window thread.
//
// A row is busy from the moment it starts a worker (on the window thread) until the worker's
// last post has been handled. While busy it claims its device, so that no other tab works on
// the camera, and its operator neither removes nor rebuilds it.

#include <functional>
#include <memory>

#include "batch/DeviceInfo.h"
#include "batch/RowStatus.h"
#include "batch/TaskBase.h"
#include "platform/ui/UIlib.h"

class CBatchOpratorBase;

class CBatchListItem : public ui::CListContainerElementUI, public CTaskBase {
 public:
  explicit CBatchListItem(RowStatusFields initial);
  ~CBatchListItem() override;

  // Finds the row's controls; each row kind.
  virtual void BindControls() = 0;
  // Keeps the device in place of the earlier one, then Refresh.
  virtual void SetDevice(std::shared_ptr<DeviceInfo> device);
  // Writes the controls from the device and the status; each row kind.
  virtual void Refresh() = 0;
  // The row's check option: whether the row takes part in the tab's work for all rows.
  virtual void SetSelected(bool selected);
  virtual bool IsChecked() const;
  // The modal login dialog for the row's device, then Refresh: 1 when the operator confirmed
  // the login, otherwise 2. Refused (2) while a row works on the device.
  virtual int Login();

  const std::shared_ptr<DeviceInfo>& Device() const { return m_device; }
  CBatchOpratorBase* Owner() const { return m_owner; }
  // Named apart from the list row's SetOwner, which takes the list.
  void SetOwnerOperator(CBatchOpratorBase* owner) { m_owner = owner; }
  ui::COptionUI* CheckOption() const { return m_pCheck; }
  bool IsBusy() const { return m_busy; }
  // A row of any tab works on this row's device now.
  bool IsDeviceClaimed() const;

  // The number a worker posts for the row; the row with that number while it lives.
  LPARAM PostId() const { return m_postId; }
  static CBatchListItem* FromPostId(LPARAM postId);
  // A post of the row's worker arrived: show the status. The run's last post ends the work.
  void HandleItemPost();

 protected:
  // Marks the row busy, claims its device, shows the starting status and runs `worker` on a
  // thread of its own; nothing happens when the row or its device is busy. When the thread
  // cannot be started, the row is idle again, its device is given back and it shows `failed`.
  void StartWorker(const RowStatusFields& starting, const RowStatusFields& failed, std::function<void()> worker);
  // What the worker posts through.
  RowReporter Reporter() const;
  RowStatusFields Status() const { return m_status->Fields(); }
  HWND Window() const;

  // The login button shows whether the camera is logged in; it takes no click while a row
  // works on the camera.
  void ShowLoginButton(ui::CButtonUI* button) const;
  // The device's IP, port and firmware version ("%d.%d.%d.%d", empty when not read).
  void ShowDevice(ui::CLabelUI* ip, ui::CLabelUI* port, ui::CLabelUI* version) const;
  void ShowStatus(ui::CLabelUI* status, ui::CLabelUI* percent, ui::CProgressUI* progress) const;
  // While busy, as the worker says; otherwise `idleEnabled`, unless another tab works on the camera.
  void ShowActionButton(ui::CButtonUI* button, bool idleEnabled) const;

  ui::COptionUI* m_pCheck = nullptr;

 private:
  // BeginWork: false (nothing changed) when the row or its device is busy.
  bool BeginWork(const RowStatusFields& starting);
  void EndWork();

  std::shared_ptr<DeviceInfo> m_device;
  bool m_busy = false;
  CBatchOpratorBase* m_owner = nullptr;
  std::shared_ptr<RowStatus> m_status;
  LPARAM m_postId;
};
