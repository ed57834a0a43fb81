#include "configtool/MainWnd.h"

#include <cstdlib>

#include "configtool/SearchResultRecord.h"
#include "configtool/dialogs/DialogControls.h"

namespace {

constexpr UINT kWindowIcon = 101;
constexpr int kFirstBoundaryDefault = 16;   // 08:00
constexpr int kSecondBoundaryDefault = 8;   // 16:00

void Enable(ui::CControlUI* control, bool enable) {
  if (control != nullptr) control->SetEnabled(enable);
}

}  // namespace

CMainWnd::CMainWnd() = default;
CMainWnd::~CMainWnd() = default;

void CMainWnd::BindControlPointers() {
  m_pBtnOpen = FindDialogControl<ui::CButtonUI>(m_pm, "btn_open");
  m_pBtnClose = FindDialogControl<ui::CButtonUI>(m_pm, "btn_close");
  m_pBtnStartSearch = FindDialogControl<ui::CButtonUI>(m_pm, "btn_start_search");
  m_pBtnStopSearch = FindDialogControl<ui::CButtonUI>(m_pm, "btn_stop_search");
  m_pBtnNetParam = FindDialogControl<ui::CButtonUI>(m_pm, "btn_net_param");
  m_pPlayControl = FindDialogControl<ui::CPlayControlUI>(m_pm, "play_control");
  m_pEditIp = FindDialogControl<ui::CEditUI>(m_pm, "edit_device_ip");
  m_pEditPort = FindDialogControl<ui::CEditUI>(m_pm, "edit_device_port");
  m_pEditUser = FindDialogControl<ui::CEditUI>(m_pm, "edit_device_username");
  m_pEditLoginPwd = FindDialogControl<ui::CEditUI>(m_pm, "edit_device_login_pwd");
  m_pEditUserPwd = FindDialogControl<ui::CEditUI>(m_pm, "edit_device_user_pwd");
  m_pDeviceList = FindDialogControl<ui::CListUI>(m_pm, "lst_device_find");
  m_pPlateList = FindDialogControl<ui::CListUI>(m_pm, "plate_result_list");
  m_pSliderLed = FindDialogControl<ui::CSliderUI>(m_pm, "intell_slider_LED");
  m_pOptLedAuto = FindDialogControl<ui::COptionUI>(m_pm, "intell_opt_LED_Auto");
  m_pOptLedOpen = FindDialogControl<ui::COptionUI>(m_pm, "intell_opt_LED_Open");
  m_pOptLedClose = FindDialogControl<ui::COptionUI>(m_pm, "intell_opt_LED_Close");
  m_pCmbPeriod[0] = FindDialogControl<ui::CComboUI>(m_pm, "intell_cmb_dis1");
  m_pCmbPeriod[1] = FindDialogControl<ui::CComboUI>(m_pm, "intell_cmb_dis2");
  m_pCmbPeriod[2] = FindDialogControl<ui::CComboUI>(m_pm, "intell_cmb_dis3");
  m_pSliderTime1 = FindDialogControl<ui::CSliderUI>(m_pm, "intell_slider_time1");
  m_pSliderTime2 = FindDialogControl<ui::CSliderUI>(m_pm, "intell_slider_time2");
  m_pBtnSaveLed = FindDialogControl<ui::CButtonUI>(m_pm, "btn_save_led_ctrl");
  m_pPanLedCtrl = m_pm.FindControl("intell_pan_led_ctrl");
  m_pPanLedLight = m_pm.FindControl("intell_pan_led_light");
  m_pMark1 = m_pm.FindControl("intell_ctrl_bank1");
  m_pMark2 = m_pm.FindControl("intell_ctrl_bank2");
  m_pMarkText1 = m_pm.FindControl("intell_txt_mark1");
  m_pMarkText2 = m_pm.FindControl("intell_txt_mark2");
  m_pCmbProvince = FindDialogControl<ui::CComboUI>(m_pm, "intell_cmb_prov");
  m_pBtnRuleCfg = FindDialogControl<ui::CButtonUI>(m_pm, "btn_rule_cfg");
  m_pBtnPlateRecord = FindDialogControl<ui::CButtonUI>(m_pm, "btn_plate_record");
  m_pBtnWlistCfg = FindDialogControl<ui::CButtonUI>(m_pm, "btn_wlist_cfg");
  m_pBtnVideoCfg = FindDialogControl<ui::CButtonUI>(m_pm, "btn_videocfg");
  m_pBtnExportParam = FindDialogControl<ui::CButtonUI>(m_pm, "btn_export_param");
  m_pBtnEncryptSet = FindDialogControl<ui::CButtonUI>(m_pm, "btn_encrypt_set");
  m_pBtnMoreCfg = FindDialogControl<ui::CButtonUI>(m_pm, "btn_more_cfg");
  m_pBtnManualTrigger = FindDialogControl<ui::CButtonUI>(m_pm, "btn_manual_trigger");
  m_pBtnDeviceReset = FindDialogControl<ui::CButtonUI>(m_pm, "btn_device_reset");
  m_pBtnSysLog = FindDialogControl<ui::CButtonUI>(m_pm, "btn_sys_log");
  m_pBtnBatchProgram = FindDialogControl<ui::CButtonUI>(m_pm, "btn_import_export_cfg");
}

void CMainWnd::BindControls() {
  SetIcon(kWindowIcon);
  BindControlPointers();
  // The plate callback names its folder by this copy: it holds the field's text from the start.
  if (m_pEditIp != nullptr) m_deviceIpText.Set(m_pEditIp->GetText().Str());
  if (m_pSliderTime1 != nullptr) m_pSliderTime1->SetValue(kFirstBoundaryDefault);
  if (m_pSliderTime2 != nullptr) m_pSliderTime2->SetValue(kSecondBoundaryDefault);
  UpdateLightBars();
  Enable(m_pBtnStopSearch, false);
  EnableDeviceControls(false);
  LoadLastDeviceIp();
}

void CMainWnd::EnableDeviceControls(bool enable) {
  ui::CControlUI* const controls[] = {
      m_pBtnClose,       m_pBtnRuleCfg,      m_pBtnManualTrigger, m_pBtnDeviceReset, m_pSliderLed,
      m_pOptLedAuto,     m_pOptLedOpen,      m_pOptLedClose,      m_pCmbProvince,    m_pBtnSysLog,
      m_pBtnPlateRecord, m_pBtnMoreCfg,      m_pBtnEncryptSet,    m_pBtnWlistCfg,    m_pBtnVideoCfg,
      m_pBtnExportParam};
  for (ui::CControlUI* control : controls) Enable(control, enable);
}

void CMainWnd::ShowMessage(const char* text) { ui::UIMessageBox(m_hWnd, text); }

bool CMainWnd::RequireOpenDevice() {
  if (m_device.handle != 0) return true;
  ShowMessage("请先打开一台设备！");
  return false;
}

void CMainWnd::SetDeviceIpText(const std::string& text) {
  if (m_pEditIp != nullptr) m_pEditIp->SetText(text.c_str());
  m_deviceIpText.Set(text);
}

void CMainWnd::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (msg.sType == "click") {
    if (sender == m_pBtnOpen) {
      OnOpenDevice();
    } else if (sender == m_pBtnClose || (sender != nullptr && sender->GetName() == "closebtn")) {
      OnCloseDevice();
    } else if (sender == m_pBtnStartSearch) {
      StartDeviceSearch();
    } else if (sender == m_pBtnStopSearch) {
      StopDeviceSearch();
    } else if (sender == m_pBtnRuleCfg) {
      OpenRuleCfg();
    } else if (sender == m_pBtnManualTrigger) {
      ManualTrigger();
    } else if (sender == m_pBtnDeviceReset) {
      RebootDevice();
    } else if (sender == m_pBtnSysLog) {
      ExportSystemLog();
    } else if (sender == m_pBtnNetParam) {
      OpenNetworkParamDialog();
    } else if (sender == m_pBtnPlateRecord) {
      OpenPlateQuery();
    } else if (sender == m_pBtnMoreCfg) {
      ShowWebPageMenu(msg.ptMouse);
    } else if (sender == m_pBtnEncryptSet) {
      OpenEncryptDialog();
    } else if (sender == m_pBtnBatchProgram) {
      StartBatchProgram();
    } else if (sender == m_pBtnVideoCfg) {
      OpenVideoCfg();
    } else if (sender == m_pBtnWlistCfg) {
      OpenWlistManager();
    } else if (sender == m_pBtnExportParam) {
      OpenImportExportDialog();
    } else if (sender == m_pBtnSaveLed) {
      SaveLightSchedule();
    }
  } else if (msg.sType == "valuechanged") {
    if (sender == m_pSliderLed) {
      OnLedLevelChanged();
    } else if (sender == m_pSliderTime1 || sender == m_pSliderTime2) {
      UpdateLightBars();
    }
  } else if (msg.sType == "slidermousemove") {
    if (sender == m_pSliderTime1 || sender == m_pSliderTime2) {
      UpdateLightBars();
    } else if (sender == m_pSliderLed) {
      ShowLedLevelText(m_pSliderLed->GetValue());
    }
  } else if (msg.sType == "slider_nocap_mousemove") {
    if (sender == m_pSliderLed) ShowLedLevelText(static_cast<int>(msg.wParam));
  } else if (msg.sType == "option_click") {
    if (sender == m_pOptLedAuto || sender == m_pOptLedOpen || sender == m_pOptLedClose) OnLedOptionClicked();
  } else if (msg.sType == "itemselect") {
    if (sender == m_pDeviceList) {
      OnSearchRowSelected();
    } else if (sender == m_pCmbProvince) {
      OnProvinceSelected();
    }
  } else if (msg.sType == "textchanged") {
    if (sender == m_pEditIp) m_deviceIpText.Set(m_pEditIp->GetText().Str());
  } else {
    OnWebPageMenuPick(msg);
  }
  CDialogWnd::Notify(msg);
}

LRESULT CMainWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Code may set the field's text without a notification; the copy catches up with the next
  // message the window handles (such a change repaints the field).
  if (m_pEditIp != nullptr) m_deviceIpText.Set(m_pEditIp->GetText().Str());
  if (message == WM_SEARCH_RESULT) {
    auto* record = reinterpret_cast<SearchResultRecord*>(lParam);
    if (record != nullptr) AddSearchResultRow(*record);
    std::free(record);
  } else if (message == WM_PLATE_RESULT) {
    auto* result = reinterpret_cast<CameraClientPlateResult*>(wParam);
    auto* path = reinterpret_cast<char*>(lParam);
    if (result != nullptr) ShowPlateResult(*result, path);
    std::free(result);
    delete[] path;
  } else if (message == WM_DESTROY) {
    ReleaseCamera();
  }
  return CDialogWnd::HandleMessage(message, wParam, lParam);
}
