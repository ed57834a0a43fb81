#pragma once
// CBatchUpdate: the tab that upgrades cameras with the image of the "version" folder that
// matches each camera's current version.

#include "batch/BatchOpratorBase.h"

class CBatchUpdate : public CBatchOpratorBase {
 public:
  CBatchUpdate(ui::CPaintManagerUI* manager, DeviceClaims& claims);

  // Finds the tab's controls and reads the "version" folder.
  void BindControls() override;
  CBatchListItem* CreateRow(std::shared_ptr<DeviceInfo> device) override;
  int Notify(ui::TNotifyUI& msg) override;
  // Reads the "version" folder again, then lists the devices again.
  void RefreshList() override;

  // Starts the upgrade of every selected row that is ready; 2.
  int UpdateAll();

  // Both update tabs refuse to remove a busy row with this.
  static constexpr char kRemoveWhileUpgrading[] = "正在升级，不能移除设备！";

 private:
  ui::CButtonUI* m_pBtnUpdate = nullptr;
  ui::COptionUI* m_pOptSelectAll = nullptr;
  ui::CButtonUI* m_pBtnRefresh = nullptr;
};
