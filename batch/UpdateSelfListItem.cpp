#include "batch/UpdateSelfListItem.h"

#include "batch/BatchConstants.h"
#include "batch/BatchUpdateSelf.h"
#include "batch/RowControls.h"
#include "batch/UpgradeWorker.h"

CUpdateSelfListItem::CUpdateSelfListItem()
    : CBatchListItem(RowStatusFields{BatchConstants::kStatusNotUpgraded, 0, 1, false}) {}

void CUpdateSelfListItem::BindControls() {
  m_pBtnLogin = FindRowControl<ui::CButtonUI>(this, "dlg_btn_login");
  m_pCheck = FindRowControl<ui::COptionUI>(this, "opt_select");
  m_pLblIp = FindRowControl<ui::CLabelUI>(this, "lbl_device_ip");
  m_pLblPort = FindRowControl<ui::CLabelUI>(this, "lbl_device_port");
  m_pLblStatus = FindRowControl<ui::CLabelUI>(this, "lbl_update_status");
  m_pLblPercent = FindRowControl<ui::CLabelUI>(this, "lbl_update_progress");
  m_pProgress = FindRowControl<ui::CProgressUI>(this, "prog_update_pos");
  m_pLblVersion = FindRowControl<ui::CLabelUI>(this, "lbl_cur_version");
  m_pBtnUpdate = FindRowControl<ui::CButtonUI>(this, "dlg_btn_update");
  if (m_pBtnLogin != nullptr) m_pBtnLogin->SetUserData(BatchConstants::kLoginMarker);
  ShowStatus(m_pLblStatus, m_pLblPercent, m_pProgress);
}

void CUpdateSelfListItem::Refresh() {
  if (Device() == nullptr) return;
  ShowDevice(m_pLblIp, m_pLblPort, m_pLblVersion);
  ShowLoginButton(m_pBtnLogin);
  ShowActionButton(m_pBtnUpdate, !ImagePath().empty());
  ShowStatus(m_pLblStatus, m_pLblPercent, m_pProgress);
}

std::string CUpdateSelfListItem::ImagePath() const {
  const auto* owner = dynamic_cast<const CBatchUpdateSelf*>(Owner());
  return owner != nullptr ? owner->GetImageFileText() : std::string();
}

bool CUpdateSelfListItem::CanStartUpgrade() const {
  return IsRunning() && !IsBusy() && !IsDeviceClaimed() && Device() != nullptr && Device()->Handle() != 0 &&
         !ImagePath().empty();
}

void CUpdateSelfListItem::StartUpgrade() {
  if (!CanStartUpgrade()) return;
  // The path as the operator picked it: no folder is added.
  const std::string imagePath = ImagePath();
  StartWorker(RowStatusFields{BatchConstants::kStatusUpgrading, 0, 1, false},
              RowStatusFields{BatchConstants::kStatusUpgradeFailed, 0, 1, true},
              [job = UpgradeJob{Device(), imagePath, Reporter(), SharedRunFlag(), &SelfUpdateSlots(), kPickedImageUpgradeTiming}] {
                RunUpgrade(job);
              });
}
