#pragma once
// CDlgImportExportCfg: the export of the open camera's configuration. The operator ticks the
// sections; "ok" writes them into "<device name>_<time>.json" beside the program. The dialog stays
// open after an export and never closes the camera.

#include <array>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/export/DeviceConfigJson.h"
#include "platform/ui/UIlib.h"

inline constexpr std::size_t kExportOptionCount = 12;

class CDlgImportExportCfg : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  CDlgImportExportCfg();
  // The same as SetExportDevice after the default constructor.
  CDlgImportExportCfg(const std::string& deviceName, CameraClientHandle handle);
  ~CDlgImportExportCfg() override;

  // The device name is the file name's stem (the main window's IP text).
  void SetExportDevice(const std::string& deviceName, CameraClientHandle handle);

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // Ticks or clears the twelve section options; the select-all option stays as it is.
  void SetAllExportOptions(bool state);
  bool AnyExportOptionSelected() const;
  void ExportDeviceConfig();

 private:
  ExportOptions SelectedExportOptions() const;

  ui::CButtonUI* m_pBtnOk = nullptr;
  ui::CButtonUI* m_pBtnCancel = nullptr;
  ui::COptionUI* m_pOptSelectAll = nullptr;
  // In the order of ExportOption.
  std::array<ui::COptionUI*, kExportOptionCount> m_pOptions{};
  std::string m_deviceName;
  CameraClientHandle m_handle = 0;
};
