#include "batch/BatchUpdateSelf.h"

#include <cstdio>

#include "batch/BatchUpdate.h"
#include "batch/CurrentDirectory.h"
#include "batch/UpdateSelfListItem.h"
#include "common/ControlLookup.h"
#include "platform/os/NativeDialogs.h"

CBatchUpdateSelf::CBatchUpdateSelf(ui::CPaintManagerUI* manager, DeviceClaims& claims)
    : CBatchOpratorBase(manager, claims) {
  BindControls();
}

void CBatchUpdateSelf::BindControls() {
  m_pBtnUpdate = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_self_update");
  m_pOptSelectAll = FindDialogControl<ui::COptionUI>(*PaintManager(), "dlg_opt_self_select_all");
  m_pList = FindDialogControl<ui::CListUI>(*PaintManager(), "dlg_update_self_list");
  m_pEditFile = FindDialogControl<ui::CEditUI>(*PaintManager(), "edit_self_importfile");
  m_pBtnBrowse = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_self_browse");
  m_pBtnRefresh = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_self_refresh");
  if (m_pBtnRefresh != nullptr) m_pBtnRefresh->SetVisible(false);
  if (m_pList != nullptr) m_pList->SetMultiSelect(true);
}

CBatchListItem* CBatchUpdateSelf::CreateRow(std::shared_ptr<DeviceInfo> device) {
  return BuildRow("UpdateSelfListItem.xml", std::move(device));
}

std::string CBatchUpdateSelf::GetImageFileText() const {
  return m_pEditFile != nullptr ? m_pEditFile->GetText().Str() : std::string();
}

int CBatchUpdateSelf::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (sender == nullptr) return 2;
  if (msg.sType == "click" && sender == m_pBtnUpdate) return UpdateAll();
  if (msg.sType == "option_click" && sender == m_pOptSelectAll) {
    ForEachRow(m_pOptSelectAll->IsSelected());
    return 1;
  }
  if (msg.sType == "click" && sender == m_pBtnBrowse) return BrowseImage();
  if (msg.sType == "click" && sender == m_pBtnRefresh) {
    CBatchOpratorBase::RefreshList();
    return 1;
  }
  if (msg.sType != "click") return CBatchOpratorBase::Notify(msg);
  return HandleRowClick(
      msg, "升级", [](CBatchListItem& row) { static_cast<CUpdateSelfListItem&>(row).StartUpgrade(); },
      CBatchUpdate::kRemoveWhileUpgrading);
}

int CBatchUpdateSelf::BrowseImage() {
  std::printf("select file/n");
  std::fflush(stdout);
  os::OpenFileRequest request;
  request.owner = Window();
  request.title = "选择镜像文件";
  request.filterName = "Flie";
  request.pattern = "*.*";
  request.initialFolder = CurrentDirectory();
  const std::string path = os::ShowOpenFileDialog(request);
  if (path.empty()) return 2;
  if (m_pEditFile != nullptr) m_pEditFile->SetText(path.c_str());
  RefreshRows();
  return 1;
}

int CBatchUpdateSelf::UpdateAll() {
  return StartSelectedRows(m_pBtnUpdate, [](CBatchListItem& row) { static_cast<CUpdateSelfListItem&>(row).StartUpgrade(); });
}
