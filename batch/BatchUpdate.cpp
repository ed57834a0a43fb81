#include "batch/BatchUpdate.h"

#include "batch/UpdateListItem.h"
#include "batch/VersionMap.h"
#include "common/ControlLookup.h"

CBatchUpdate::CBatchUpdate(ui::CPaintManagerUI* manager, DeviceClaims& claims) : CBatchOpratorBase(manager, claims) {
  BindControls();
}

void CBatchUpdate::BindControls() {
  m_pBtnUpdate = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_update");
  m_pOptSelectAll = FindDialogControl<ui::COptionUI>(*PaintManager(), "dlg_opt_update_select_all");
  m_pList = FindDialogControl<ui::CListUI>(*PaintManager(), "dlg_update_device_list");
  m_pBtnRefresh = FindDialogControl<ui::CButtonUI>(*PaintManager(), "btn_update_refresh");
  if (m_pList != nullptr) m_pList->SetMultiSelect(true);
  ScanVersionFolder();
}

CBatchListItem* CBatchUpdate::CreateRow(std::shared_ptr<DeviceInfo> device) {
  return BuildRow("UpdateListItem.xml", std::move(device));
}

void CBatchUpdate::RefreshList() {
  ScanVersionFolder();
  CBatchOpratorBase::RefreshList();
}

int CBatchUpdate::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (sender == nullptr) return 2;
  if (msg.sType == "click" && sender == m_pBtnUpdate) return UpdateAll();
  if (msg.sType == "option_click" && sender == m_pOptSelectAll) {
    ForEachRow(m_pOptSelectAll->IsSelected());
    return 1;
  }
  if (msg.sType == "click" && sender == m_pBtnRefresh) {
    RefreshList();
    return 1;
  }
  if (msg.sType != "click") return CBatchOpratorBase::Notify(msg);
  return HandleRowClick(
      msg, "升级", [](CBatchListItem& row) { static_cast<CUpdateListItem&>(row).StartUpgrade(); },
      kRemoveWhileUpgrading);
}

int CBatchUpdate::UpdateAll() {
  return StartSelectedRows(m_pBtnUpdate, [](CBatchListItem& row) { static_cast<CUpdateListItem&>(row).StartUpgrade(); });
}
