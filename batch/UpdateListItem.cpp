#include "batch/UpdateListItem.h"

#include "batch/BatchConstants.h"
#include "batch/RowControls.h"
#include "batch/UpgradeWorker.h"
#include "batch/VersionMap.h"

CUpdateListItem::CUpdateListItem() : CBatchListItem(RowStatusFields{BatchConstants::kStatusNotUpgraded, 0, 1, true}) {}

void CUpdateListItem::BindControls() {
  m_pBtnLogin = FindRowControl<ui::CButtonUI>(this, "dlg_btn_login");
  m_pCheck = FindRowControl<ui::COptionUI>(this, "opt_select");
  m_pLblIp = FindRowControl<ui::CLabelUI>(this, "lbl_device_ip");
  m_pLblPort = FindRowControl<ui::CLabelUI>(this, "lbl_device_port");
  m_pLblVersion = FindRowControl<ui::CLabelUI>(this, "lbl_current_version");
  m_pLblImage = FindRowControl<ui::CLabelUI>(this, "lbl_update_version");
  m_pLblStatus = FindRowControl<ui::CLabelUI>(this, "lbl_update_status");
  m_pLblPercent = FindRowControl<ui::CLabelUI>(this, "lbl_update_progress");
  m_pProgress = FindRowControl<ui::CProgressUI>(this, "prog_update_pos");
  m_pBtnUpdate = FindRowControl<ui::CButtonUI>(this, "dlg_btn_update");
  if (m_pBtnLogin != nullptr) m_pBtnLogin->SetUserData(BatchConstants::kLoginMarker);
  ShowStatus(m_pLblStatus, m_pLblPercent, m_pProgress);
}

void CUpdateListItem::Refresh() {
  if (Device() == nullptr) return;
  ShowDevice(m_pLblIp, m_pLblPort, m_pLblVersion);
  ShowLoginButton(m_pBtnLogin);
  ShowImage();
  ShowActionButton(m_pBtnUpdate, !ImageFileName().empty());
  ShowStatus(m_pLblStatus, m_pLblPercent, m_pProgress);
}

void CUpdateListItem::ShowImage() {
  const std::optional<VersionEntry> entry = GetVersionMap().Find(Device()->GetVersion3Text());
  if (m_pLblImage != nullptr) m_pLblImage->SetText(entry ? entry->fileName.c_str() : "");
}

std::string CUpdateListItem::ImageFileName() const {
  return m_pLblImage != nullptr ? m_pLblImage->GetText().Str() : std::string();
}

bool CUpdateListItem::CanStartUpgrade() const {
  return IsRunning() && !IsBusy() && !IsDeviceClaimed() && Device() != nullptr && Device()->Handle() != 0 &&
         !ImageFileName().empty();
}

void CUpdateListItem::StartUpgrade() {
  if (!CanStartUpgrade()) return;
  const std::string imagePath = GetVersionFolder() + "/" + ImageFileName();
  StartWorker(RowStatusFields{BatchConstants::kStatusUpgrading, 0, 1, false},
              RowStatusFields{BatchConstants::kStatusUpgradeFailed, 0, 1, true},
              [job = UpgradeJob{Device(), imagePath, Reporter(), SharedRunFlag(), &UpdateSlots(), kVersionUpgradeTiming}] {
                RunUpgrade(job);
              });
}
