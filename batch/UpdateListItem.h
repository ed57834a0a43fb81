#pragma once
// CUpdateListItem: a row of the version-matched update tab. It proposes the image of the
// "version" folder that serves the camera's current version and upgrades the camera with it.

#include <string>

#include "batch/BatchListItem.h"

class CUpdateListItem : public CBatchListItem {
 public:
  CUpdateListItem();

  void BindControls() override;
  void Refresh() override;

  // Whether StartUpgrade would start: the row may work, the camera is logged in, an image
  // serves its version and no row works on it.
  bool CanStartUpgrade() const;
  // Upgrades the camera with the image the row shows now, on a worker.
  void StartUpgrade();

 private:
  // The image for the current version.
  void ShowImage();
  std::string ImageFileName() const;

  ui::CButtonUI* m_pBtnLogin = nullptr;
  ui::CLabelUI* m_pLblIp = nullptr;
  ui::CLabelUI* m_pLblPort = nullptr;
  ui::CLabelUI* m_pLblVersion = nullptr;
  ui::CLabelUI* m_pLblImage = nullptr;
  ui::CLabelUI* m_pLblStatus = nullptr;
  ui::CLabelUI* m_pLblPercent = nullptr;
  ui::CProgressUI* m_pProgress = nullptr;
  ui::CButtonUI* m_pBtnUpdate = nullptr;
};
