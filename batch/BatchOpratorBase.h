#pragma once
// CBatchOpratorBase: runs one tab of the main dialog. It keeps the tab's device list, whose
// order is the order of the rows in the tab's list control, builds the rows, sorts them by IP
// or version and spreads a row's check to the other highlighted rows.
//
// Everything here runs on the window thread: device threads hand their cameras over to the
// main dialog, which adds them here (AddDevice), and workers report through their rows.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "batch/DeviceClaims.h"
#include "batch/DeviceInfo.h"
#include "batch/TaskBase.h"
#include "platform/ui/UIlib.h"

class CBatchListItem;

class CBatchOpratorBase : public CTaskBase {
 public:
  CBatchOpratorBase(ui::CPaintManagerUI* manager, DeviceClaims& claims);
  ~CBatchOpratorBase() override;

  // Clears every row's run flag and calls its stop hook.
  virtual void StopAll();
  // Finds the tab's controls; each tab.
  virtual void BindControls();
  // Lists the device: in IP order (`sorted`) or at the end.
  virtual void AddDevice(std::shared_ptr<DeviceInfo> device, bool sorted);
  // A row of the tab's kind for the device, or nullptr when its template fails.
  virtual CBatchListItem* CreateRow(std::shared_ptr<DeviceInfo> device) = 0;
  // Header clicks (sorts), a row's check option, the watch over the work for all rows;
  // 2 when nothing was done.
  virtual int Notify(ui::TNotifyUI& msg);
  // True while a row of the tab works.
  virtual bool IsBusy() const;
  // Ticks or clears every row.
  virtual void ForEachRow(bool selected);
  virtual void RefreshRows();
  // Lists every device again in the device list's order. Idle rows are built anew; a busy row
  // is kept as it is.
  virtual void RefreshList();

  // Refreshes the rows that show the device (another tab took or gave back the camera).
  void RefreshDeviceRows(const DeviceInfo& device);

  ui::CPaintManagerUI* PaintManager() const { return m_pManager; }
  HWND Window() const;
  DeviceClaims& Claims() const { return m_claims; }
  const std::vector<std::shared_ptr<DeviceInfo>>& Devices() const { return m_devices; }
  ui::CListUI* List() const { return m_pList; }
  std::vector<CBatchListItem*> Rows() const;

  // The order of the device list by IP: part by part as numbers (DottedQuadLess); a text without
  // four parts comes after every address in ascending order, before them in descending order.
  static bool IpOrderLess(const std::string& a, const std::string& b, bool ascending);

 protected:
  // The steps every CreateRow shares: the row from its template, BindControls, owner, SetDevice.
  CBatchListItem* BuildRow(const char* layout, std::shared_ptr<DeviceInfo> device);
  // Where a device goes in the device list; it is inserted there. Returns the index.
  int InsertDeviceSorted(const std::shared_ptr<DeviceInfo>& device);
  int AppendDevice(const std::shared_ptr<DeviceInfo>& device);
  void SortByIp();
  void SortByVersion();
  // With two or more highlighted rows, ticks or clears all of them: 1; otherwise 2.
  int SelectHighlightedRows(bool selected);
  // The row of this tab that holds the control, or nullptr.
  CBatchListItem* FindOwningRow(ui::CControlUI* control) const;

  // What the three tabs' rows share: the login (the tab's logins are saved after an accepted
  // one), the removal (refused with `busyText` while the row works).
  int LoginRow(CBatchListItem* row);
  void RemoveRow(CBatchListItem* row, const char* busyText);
  // A click on a row's button: its action (the button with `actionText`), "移除" or the login
  // button. 2 when the click was none of them or did nothing.
  int HandleRowClick(ui::TNotifyUI& msg, const char* actionText, const std::function<void(CBatchListItem&)>& action,
                     const char* busyText);

  // The work for all selected rows: `button` stays disabled while a selected row is busy, scanned
  // every second (the first scan at once or after a second).
  void WatchSelectedRows(ui::CButtonUI* button, bool scanAtOnce);
  // Starts every selected row, then watches them from a second on; 2.
  int StartSelectedRows(ui::CButtonUI* button, const std::function<void(CBatchListItem&)>& start);
  bool HasSelectedBusyRow() const;

  ui::CListUI* m_pList = nullptr;

 private:
  // Where a row for device `index` of the device list goes among the rows the list shows.
  int ListPositionFor(std::size_t index) const;
  bool IsRowCheckOption(ui::CControlUI* control) const;
  void ScanSelectedRows();

  ui::CPaintManagerUI* m_pManager;
  DeviceClaims& m_claims;
  bool m_ipAscending = true;
  std::vector<std::shared_ptr<DeviceInfo>> m_devices;
  ui::CButtonUI* m_pWatchButton = nullptr;
};
