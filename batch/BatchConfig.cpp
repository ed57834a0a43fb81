#include "batch/BatchConfig.h"

#include <vector>

#include "batch/ConfigFile.h"
#include "batch/ConfigListItem.h"
#include "batch/CurrentDirectory.h"
#include "common/ControlLookup.h"
#include "platform/os/NativeDialogs.h"

namespace {

constexpr char kNoConfigFile[] = "没有可用的配置文件！";
constexpr char kBadConfigFile[] = "配置文件格式有误！";
constexpr char kAskNetParam[] = "是否导入网络参数?";
constexpr char kNetParamLeftOut[] = "同时导入多台设备时不导入网络参数，以免多台设备使用同一IP地址！";
constexpr char kRemoveWhileImporting[] = "正在导入，不能移除设备！";

}  // namespace

CBatchConfig::CBatchConfig(ui::CPaintManagerUI* manager, DeviceClaims& claims) : CBatchOpratorBase(manager, claims) {
  BindControls();
}

void CBatchConfig::BindControls() {
  m_pBtnConfig = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_config");
  m_pOptSelectAll = FindDialogControl<ui::COptionUI>(*PaintManager(), "dlg_opt_config_select_all");
  m_pList = FindDialogControl<ui::CListUI>(*PaintManager(), "dlg_config_device_list");
  m_pEditFile = FindDialogControl<ui::CEditUI>(*PaintManager(), "edit_importfile");
  m_pBtnBrowse = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_browse");
  m_pBtnRefresh = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_config_refresh");
  if (m_pBtnRefresh != nullptr) m_pBtnRefresh->SetVisible(false);
  if (m_pList != nullptr) m_pList->SetMultiSelect(true);
}

CBatchListItem* CBatchConfig::CreateRow(std::shared_ptr<DeviceInfo> device) {
  return BuildRow("ConfigListItem.xml", std::move(device));
}

int CBatchConfig::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (sender == nullptr) return 2;
  if (msg.sType == "click" && sender == m_pBtnConfig) {
    ImportAllRows();
    return 1;
  }
  if (msg.sType == "option_click" && sender == m_pOptSelectAll) {
    ForEachRow(m_pOptSelectAll->IsSelected());
    return 1;
  }
  if (msg.sType == "click" && sender == m_pBtnBrowse) return ChooseConfigFile();
  if (msg.sType == "click" && sender == m_pBtnRefresh) {
    RefreshList();
    return 1;
  }
  if (msg.sType != "click") return CBatchOpratorBase::Notify(msg);
  return HandleRowClick(
      msg, "导入", [this](CBatchListItem& row) { ImportRow(static_cast<CConfigListItem&>(row)); },
      kRemoveWhileImporting);
}

int CBatchConfig::ChooseConfigFile() {
  os::OpenFileRequest request;
  request.owner = Window();
  request.title = "选择配置文件";
  request.filterName = "Flie";
  request.pattern = "*.json";
  request.initialFolder = CurrentDirectory();
  const std::string path = os::ShowOpenFileDialog(request);
  if (path.empty()) return 2;
  if (m_pEditFile != nullptr) m_pEditFile->SetText(path.c_str());
  LoadConfigFile(path);
  // The import buttons follow whether a file is loaded now.
  RefreshRows();
  if (GetConfigFile().IsLoaded()) return 1;
  ui::UIMessageBox(Window(), kBadConfigFile);
  return 0;
}

bool CBatchConfig::AskNetParam(const ConfigSections& sections) {
  return sections.HasNetAddress() && ui::UIMessageBox2(Window(), kAskNetParam) == 0;
}

void CBatchConfig::ImportAllRows() {
  if (!GetConfigFile().IsLoaded()) {
    ui::UIMessageBox(Window(), kNoConfigFile);
    return;
  }
  // One snapshot of the file for every row, whatever is loaded while they import.
  const std::shared_ptr<const ConfigSections> sections = GetConfigFile().Sections();
  std::vector<CConfigListItem*> rows;
  for (CBatchListItem* row : Rows()) {
    auto* configRow = static_cast<CConfigListItem*>(row);
    if (configRow->IsChecked() && configRow->CanStartImport()) rows.push_back(configRow);
  }
  bool agreed = false;
  if (rows.size() > 1 && sections->HasNetAddress()) {
    ui::UIMessageBox(Window(), kNetParamLeftOut);
  } else {
    agreed = AskNetParam(*sections);
  }
  const NetParamUse netParam = ChooseNetParamUse(agreed, rows.size());
  for (CConfigListItem* row : rows) row->StartImport(sections, netParam);
  WatchSelectedRows(m_pBtnConfig, true);
}

void CBatchConfig::ImportRow(CConfigListItem& row) {
  if (!GetConfigFile().IsLoaded()) return;
  const std::shared_ptr<const ConfigSections> sections = GetConfigFile().Sections();
  row.StartImport(sections, ChooseNetParamUse(AskNetParam(*sections), 1));
}
