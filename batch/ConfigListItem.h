#pragma once
// CConfigListItem: a row of the configuration tab. It imports the loaded configuration file
// into its camera on a worker: the thirteen section appliers in the order of their numbers,
// with the percent after each, ending "导入完成" or "导入失败".

#include <memory>

#include "batch/BatchListItem.h"
#include "batch/ConfigImport.h"
#include "batch/ConfigSections.h"

class CConfigListItem : public CBatchListItem {
 public:
  CConfigListItem();

  void BindControls() override;
  void Refresh() override;

  // Whether StartImport would start: a file is loaded, the row may work, the camera is logged
  // in and neither the row nor another tab works on it.
  bool CanStartImport() const;
  // Imports `sections` (the loaded file as it is now) on a worker; does nothing unless
  // CanStartImport. A camera that is not logged in is skipped without a word.
  void StartImport(std::shared_ptr<const ConfigSections> sections, NetParamUse netParam);

 private:
  ApplierTable m_appliers;
  ui::CButtonUI* m_pBtnLogin = nullptr;
  ui::CLabelUI* m_pLblIp = nullptr;
  ui::CLabelUI* m_pLblPort = nullptr;
  ui::CLabelUI* m_pLblVersion = nullptr;
  ui::CLabelUI* m_pLblStatus = nullptr;
  ui::CLabelUI* m_pLblPercent = nullptr;
  ui::CProgressUI* m_pProgress = nullptr;
  ui::CButtonUI* m_pBtnImport = nullptr;
};
