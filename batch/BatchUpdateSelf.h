#pragma once
// CBatchUpdateSelf: the tab that upgrades cameras with one image file the operator picks.

#include <string>

#include "batch/BatchOpratorBase.h"

class CBatchUpdateSelf : public CBatchOpratorBase {
 public:
  CBatchUpdateSelf(ui::CPaintManagerUI* manager, DeviceClaims& claims);

  void BindControls() override;
  CBatchListItem* CreateRow(std::shared_ptr<DeviceInfo> device) override;
  int Notify(ui::TNotifyUI& msg) override;

  // The picked image's path, as "edit_self_importfile" holds it.
  std::string GetImageFileText() const;
  // The open-file dialog: 1 when an image was picked (the rows' buttons follow), 2 when cancelled.
  int BrowseImage();
  // Starts the upgrade of every selected row that is ready; 2.
  int UpdateAll();

 private:
  ui::CButtonUI* m_pBtnUpdate = nullptr;
  ui::COptionUI* m_pOptSelectAll = nullptr;
  ui::CEditUI* m_pEditFile = nullptr;
  ui::CButtonUI* m_pBtnBrowse = nullptr;
  ui::CButtonUI* m_pBtnRefresh = nullptr;
};
