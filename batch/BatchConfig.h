#pragma once
// CBatchConfig: the configuration tab. The operator picks one configuration file and imports
// it into one row or into every selected row; each row's worker does the camera work.

#include "batch/BatchOpratorBase.h"
#include "batch/ConfigImport.h"

class CConfigListItem;
class ConfigSections;

class CBatchConfig : public CBatchOpratorBase {
 public:
  CBatchConfig(ui::CPaintManagerUI* manager, DeviceClaims& claims);

  void BindControls() override;
  CBatchListItem* CreateRow(std::shared_ptr<DeviceInfo> device) override;
  int Notify(ui::TNotifyUI& msg) override;

  // The open-file dialog, then the load: 1 loaded, 0 not a configuration file, 2 cancelled.
  int ChooseConfigFile();
  // Starts the import into every selected row that is ready. With more than one row the
  // network parameters stay out, so that no two cameras get one address.
  void ImportAllRows();

 private:
  void ImportRow(CConfigListItem& row);
  // The operator's answer to the network question, asked only for a file that holds an address.
  bool AskNetParam(const ConfigSections& sections);

  ui::CButtonUI* m_pBtnConfig = nullptr;
  ui::COptionUI* m_pOptSelectAll = nullptr;
  ui::CEditUI* m_pEditFile = nullptr;
  ui::CButtonUI* m_pBtnBrowse = nullptr;
  ui::CButtonUI* m_pBtnRefresh = nullptr;
};
