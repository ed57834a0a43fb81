#include "configtool/features/export/DlgImportExportCfg.h"

#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/export/ConfigExport.h"

namespace {

static_assert(static_cast<std::size_t>(ExportOption::RealShow) + 1 == kExportOptionCount,
              "one option control per section option");

ExportOption OptionAt(std::size_t index) { return static_cast<ExportOption>(index); }

void Tick(ui::COptionUI* option, bool state) {
  if (option != nullptr) option->Selected(state);
}

}  // namespace

CDlgImportExportCfg::CDlgImportExportCfg() = default;

CDlgImportExportCfg::CDlgImportExportCfg(const std::string& deviceName, CameraClientHandle handle) {
  SetExportDevice(deviceName, handle);
}

CDlgImportExportCfg::~CDlgImportExportCfg() = default;

void CDlgImportExportCfg::SetExportDevice(const std::string& deviceName, CameraClientHandle handle) {
  m_deviceName = deviceName;
  m_handle = handle;
}

void CDlgImportExportCfg::BindControls() {
  m_pBtnOk = FindDialogControl<ui::CButtonUI>(m_pm, "ok");
  m_pBtnCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  m_pOptSelectAll = FindDialogControl<ui::COptionUI>(m_pm, "dlg_opt_select_all");
  for (std::size_t i = 0; i < m_pOptions.size(); ++i) {
    m_pOptions[i] = FindDialogControl<ui::COptionUI>(m_pm, ExportOptionControlName(OptionAt(i)));
  }
  Tick(m_pOptSelectAll, true);
  SetAllExportOptions(true);
}

void CDlgImportExportCfg::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr) {
    if (msg.pSender == m_pBtnOk) return ExportDeviceConfig();
    if (msg.pSender == m_pBtnCancel) return Close(IDCANCEL);
  }
  if (msg.sType == "option_click" && msg.pSender != nullptr && msg.pSender == m_pOptSelectAll) {
    SetAllExportOptions(m_pOptSelectAll->IsSelected());
  }
  CDialogWnd::Notify(msg);
}

void CDlgImportExportCfg::SetAllExportOptions(bool state) {
  for (ui::COptionUI* option : m_pOptions) Tick(option, state);
}

bool CDlgImportExportCfg::AnyExportOptionSelected() const { return !SelectedExportOptions().empty(); }

ExportOptions CDlgImportExportCfg::SelectedExportOptions() const {
  ExportOptions options;
  for (std::size_t i = 0; i < m_pOptions.size(); ++i) {
    if (m_pOptions[i] != nullptr && m_pOptions[i]->IsSelected()) options.insert(OptionAt(i));
  }
  return options;
}

void CDlgImportExportCfg::ExportDeviceConfig() {
  if (!AnyExportOptionSelected()) {
    ui::UIMessageBox(m_hWnd, "请至少选择一个导出项! ");
    return;
  }
  const ConfigExportResult result = ::ExportDeviceConfig(m_handle, m_deviceName, SelectedExportOptions());
  if (!result.message.empty()) ui::UIMessageBox(m_hWnd, result.message.c_str());
}
