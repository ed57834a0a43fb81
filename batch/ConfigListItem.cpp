#include "batch/ConfigListItem.h"

#include "batch/BatchConstants.h"
#include "batch/ConfigFile.h"
#include "batch/CountingSemaphore.h"
#include "batch/RowControls.h"

namespace {

constexpr int kApplied = 1;

void RunImport(const ApplierTable& appliers, const std::shared_ptr<const ConfigSections>& sections,
               const std::shared_ptr<DeviceInfo>& device, NetParamUse netParam, RowReporter reporter,
               const std::shared_ptr<const RunFlag>& run) {
  SlotPermit permit(ImportSlots());
  ConfigImportOutcome outcome;
  // A worker that waited for its permit while the program was closing changes nothing.
  if (run->load()) {
    try {
      outcome = RunConfigAppliers(appliers, *sections, device, netParam, [&](int percent) {
        reporter.Post(BatchConstants::kStatusImporting, percent, percent, false);
      });
    } catch (...) {
      outcome = ConfigImportOutcome{0, false};
    }
  }
  const bool done = outcome.lastResult == kApplied;
  reporter.PostFinal(done ? BatchConstants::kStatusImportDone : BatchConstants::kStatusImportFailed,
                     outcome.completed ? 100 : 0, outcome.completed ? 100 : 1, true);
}

}  // namespace

CConfigListItem::CConfigListItem() : CBatchListItem(RowStatusFields{BatchConstants::kStatusNotImported, 0, 1, true}) {}

void CConfigListItem::BindControls() {
  m_pBtnLogin = FindRowControl<ui::CButtonUI>(this, "dlg_btn_login");
  m_pCheck = FindRowControl<ui::COptionUI>(this, "opt_select_config");
  m_pLblIp = FindRowControl<ui::CLabelUI>(this, "lbl_device_ip");
  m_pLblPort = FindRowControl<ui::CLabelUI>(this, "lbl_device_port");
  m_pLblVersion = FindRowControl<ui::CLabelUI>(this, "lbl_current_version");
  m_pLblStatus = FindRowControl<ui::CLabelUI>(this, "lbl_import_status");
  m_pLblPercent = FindRowControl<ui::CLabelUI>(this, "lbl_import_progress");
  m_pProgress = FindRowControl<ui::CProgressUI>(this, "prog_import_pos");
  m_pBtnImport = FindRowControl<ui::CButtonUI>(this, "dlg_btn_import");
  if (m_pBtnLogin != nullptr) m_pBtnLogin->SetUserData(BatchConstants::kLoginMarker);
  ShowStatus(m_pLblStatus, m_pLblPercent, m_pProgress);
  m_appliers = RegisterAppliers();
}

void CConfigListItem::Refresh() {
  if (Device() == nullptr) return;
  ShowDevice(m_pLblIp, m_pLblPort, m_pLblVersion);
  ShowLoginButton(m_pBtnLogin);
  ShowActionButton(m_pBtnImport, GetConfigFile().IsLoaded());
  ShowStatus(m_pLblStatus, m_pLblPercent, m_pProgress);
}

bool CConfigListItem::CanStartImport() const {
  return GetConfigFile().IsLoaded() && IsRunning() && !IsBusy() && !IsDeviceClaimed() && Device() != nullptr &&
         Device()->Handle() != 0;
}

void CConfigListItem::StartImport(std::shared_ptr<const ConfigSections> sections, NetParamUse netParam) {
  if (sections == nullptr || !CanStartImport()) return;
  StartWorker(RowStatusFields{BatchConstants::kStatusImporting, 0, 1, false},
              RowStatusFields{BatchConstants::kStatusImportFailed, 0, 1, true},
              [appliers = m_appliers, sections = std::move(sections), device = Device(), netParam,
               reporter = Reporter(), run = SharedRunFlag()] {
                RunImport(appliers, sections, device, netParam, reporter, run);
              });
}
