#pragma once
// CUpdateSelfListItem: a row of the picked-image update tab. It upgrades its camera with the
// image file the operator picked for the tab, whatever the camera's version.

#include "batch/BatchListItem.h"

class CBatchUpdateSelf;

class CUpdateSelfListItem : public CBatchListItem {
 public:
  CUpdateSelfListItem();

  void BindControls() override;
  void Refresh() override;

  // Whether StartUpgrade would start: the row may work, the camera is logged in, an image is
  // picked and no row works on the camera.
  bool CanStartUpgrade() const;
  // Upgrades the camera with the tab's image as it is named now, on a worker.
  void StartUpgrade();

 private:
  std::string ImagePath() const;

  ui::CButtonUI* m_pBtnLogin = nullptr;
  ui::CLabelUI* m_pLblIp = nullptr;
  ui::CLabelUI* m_pLblPort = nullptr;
  ui::CLabelUI* m_pLblStatus = nullptr;
  ui::CLabelUI* m_pLblPercent = nullptr;
  ui::CProgressUI* m_pProgress = nullptr;
  ui::CLabelUI* m_pLblVersion = nullptr;
  ui::CButtonUI* m_pBtnUpdate = nullptr;
};
