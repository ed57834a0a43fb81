#pragma once
// CMainWnd: the configuration tool's main window. It owns the connection to the one open camera
// (opening with the second login of an encrypted camera, live video, live plate results), lists
// the cameras of the LAN search, drives the fill light, province and device actions, and opens the
// feature dialogs with the camera's handle.

#include <cstdint>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/SharedText.h"
#include "platform/ui/UIlib.h"

struct SearchResultRecord;

// A camera was found: lParam is a SearchResultRecord from malloc, freed by the window.
inline constexpr UINT WM_SEARCH_RESULT = WM_USER + 200;
// A live plate result: wParam is a CameraClientPlateResult from malloc, lParam its saved picture's
// path (a char array from new[]) or 0; both freed by the window.
inline constexpr UINT WM_PLATE_RESULT = WM_USER + 202;

// The live results the list keeps, newest on top.
inline constexpr int PlateResultListLimit = 5;

struct OpenDeviceState {
  CameraClientHandle handle = 0;
  CameraClientPlayHandle playHandle = 0;
  std::uint8_t deviceClosed = 1;
  std::uint8_t searching = 0;
  // Of the last complete open, for the web pages.
  std::string ip;
  int port = 80;
  std::string user;
  std::string password;
};

// The found camera picked in "lst_device_find", for the network-parameter dialog.
struct SelectedSearchRow {
  std::string ip;
  int port = 80;
  std::uint32_t idHigh = 0;
  std::uint32_t idLow = 0;
  std::string netmask;
  std::string gateway;
};

class CMainWnd : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  CMainWnd();
  ~CMainWnd() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // The builder callback of the main window's layout and of the dialogs built with the plain
  // extension factory.
  ui::IDialogBuilderCallback* ControlFactory() { return &m_factory; }
  const OpenDeviceState& DeviceState() const { return m_device; }
  const SelectedSearchRow& SelectedRow() const { return m_selected; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BindControlPointers();
  void EnableDeviceControls(bool enable);
  bool RequireOpenDevice();
  void SetDeviceIpText(const std::string& text);
  void ShowMessage(const char* text);

  // Connection (MainWndConnection.cpp).
  void OnOpenDevice();
  void OnCloseDevice();
  bool LogInEncrypted(const std::string& userPassword);
  void StartLiveVideo();
  // Stops video, results and search and closes the camera without touching a control: for the
  // window's end, however it came.
  void ReleaseCamera();
  // Frees what the callbacks posted in [first, last] and the window will not handle.
  void DiscardPendingResults(UINT first, UINT last);
  void LoadLastDeviceIp();
  void SaveLastDeviceIp();

  // LAN search (MainWndSearch.cpp).
  void StartDeviceSearch();
  void StopDeviceSearch();
  static int OnSearchResult(int reserved, const char* ip, int port, int value, std::uint32_t idLow,
                            std::uint32_t idHigh, const char* netmask, const char* gateway, void* user);
  void AddSearchResultRow(const SearchResultRecord& record);
  void OnSearchRowSelected();

  // Live plate results (MainWndPlateResults.cpp).
  static int OnPlateResult(CameraClientHandle handle, void* user, const CameraClientPlateResult* results,
                           int reserved1, int count, int reserved2, CameraClientImageHandle clip);
  void SavePlateResult(const CameraClientPlateResult& result, CameraClientImageHandle clip);
  void ShowPlateResult(const CameraClientPlateResult& result, const char* path);

  // Fill light (MainWndFillLight.cpp).
  void LoadLedLevel();
  void LoadLedMode();
  void LoadLightSchedule();
  void ApplyLightSchedule(const CameraClientLedSchedule& schedule);
  void UpdateLightBars();
  void SaveLightSchedule();
  void OnLedLevelChanged();
  void ShowLedLevelText(int value);
  void OnLedOptionClicked();
  void SelectLedOption(ui::COptionUI* option);

  // Province and device actions (MainWndDeviceActions.cpp).
  void LoadProvinceList();
  void OnProvinceSelected();
  void ManualTrigger();
  void RebootDevice();
  void ExportSystemLog();

  // Dialogs and the batch program (MainWndDialogs.cpp).
  void OpenRuleCfg();
  void OpenPlateQuery();
  void OpenWlistManager();
  void OpenVideoCfg();
  void OpenImportExportDialog();
  void OpenNetworkParamDialog();
  void OpenEncryptDialog();
  void ShowWebPageMenu(POINT point);
  void OpenWebPage(const char* page, const char* title);
  bool OnWebPageMenuPick(const ui::TNotifyUI& msg);
  void StartBatchProgram();

  ui::CJqExControlFactory m_factory;

  ui::CButtonUI* m_pBtnOpen = nullptr;
  ui::CButtonUI* m_pBtnClose = nullptr;
  ui::CButtonUI* m_pBtnStartSearch = nullptr;
  ui::CButtonUI* m_pBtnStopSearch = nullptr;
  ui::CButtonUI* m_pBtnNetParam = nullptr;
  ui::CPlayControlUI* m_pPlayControl = nullptr;
  ui::CEditUI* m_pEditIp = nullptr;
  ui::CEditUI* m_pEditPort = nullptr;
  ui::CEditUI* m_pEditUser = nullptr;
  ui::CEditUI* m_pEditLoginPwd = nullptr;
  ui::CEditUI* m_pEditUserPwd = nullptr;
  ui::CListUI* m_pDeviceList = nullptr;
  ui::CListUI* m_pPlateList = nullptr;
  ui::CSliderUI* m_pSliderLed = nullptr;
  ui::COptionUI* m_pOptLedAuto = nullptr;
  ui::COptionUI* m_pOptLedOpen = nullptr;
  ui::COptionUI* m_pOptLedClose = nullptr;
  ui::CComboUI* m_pCmbPeriod[3] = {};
  ui::CSliderUI* m_pSliderTime1 = nullptr;
  ui::CSliderUI* m_pSliderTime2 = nullptr;
  ui::CButtonUI* m_pBtnSaveLed = nullptr;
  ui::CControlUI* m_pPanLedCtrl = nullptr;
  ui::CControlUI* m_pPanLedLight = nullptr;
  ui::CControlUI* m_pMark1 = nullptr;
  ui::CControlUI* m_pMark2 = nullptr;
  ui::CControlUI* m_pMarkText1 = nullptr;
  ui::CControlUI* m_pMarkText2 = nullptr;
  ui::CComboUI* m_pCmbProvince = nullptr;
  ui::CButtonUI* m_pBtnRuleCfg = nullptr;
  ui::CButtonUI* m_pBtnPlateRecord = nullptr;
  ui::CButtonUI* m_pBtnWlistCfg = nullptr;
  ui::CButtonUI* m_pBtnVideoCfg = nullptr;
  ui::CButtonUI* m_pBtnExportParam = nullptr;
  ui::CButtonUI* m_pBtnEncryptSet = nullptr;
  ui::CButtonUI* m_pBtnMoreCfg = nullptr;
  ui::CButtonUI* m_pBtnManualTrigger = nullptr;
  ui::CButtonUI* m_pBtnDeviceReset = nullptr;
  ui::CButtonUI* m_pBtnSysLog = nullptr;
  ui::CButtonUI* m_pBtnBatchProgram = nullptr;

  OpenDeviceState m_device;
  SelectedSearchRow m_selected;
  int m_barWidths[3] = {80, 80, 80};
  ui::CMenuUI* m_pWebPageMenu = nullptr;
  // The text of "edit_device_ip", for the plate callback that names the picture folder by it.
  SharedText m_deviceIpText;
};
