// Opening and closing the camera, and the last opened IP in "user.ini".

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/AddressUtil.h"
#include "common/DecimalText.h"
#include "common/FileUtil.h"
#include "configtool/LastDeviceIp.h"
#include "configtool/MainWnd.h"
#include "configtool/dialogs/DialogControls.h"

namespace {

constexpr int kSecondLoginMode = 2;
constexpr std::int64_t kHighestPort = 65535;

std::string LastDeviceIpPath() { return GetAppDirectory() + "/user.ini"; }

// A play handle from the library that stands for a running video (0 and -1 do not).
bool IsPlaying(CameraClientPlayHandle play) { return play != 0 && play != -1; }

}  // namespace

void CMainWnd::OnOpenDevice() {
  const std::string ip = DialogControlText(m_pEditIp);
  if (ip.empty()) return ShowMessage("请输入设备IP！");
  if (!IsValidIpv4(ip)) return ShowMessage("IP格式不正确，请重新输入! ");
  const std::string portText = DialogControlText(m_pEditPort);
  const std::int64_t port = ParseDecimalText(portText);
  if (portText.empty() || port <= 0 || port > kHighestPort) return ShowMessage("请确保设备端口正确！");
  const std::string user = DialogControlText(m_pEditUser);
  if (user.empty()) return ShowMessage("请输入用户名！");
  const std::string loginPassword = DialogControlText(m_pEditLoginPwd);
  const std::string userPassword = DialogControlText(m_pEditUserPwd);

  if (m_device.handle != 0) OnCloseDevice();
  const CameraClientHandle handle =
      CameraClient_Open(ip.c_str(), static_cast<int>(port), user.c_str(), loginPassword.c_str());
  if (handle == 0) return ShowMessage("打开设备失败，请检查登录信息！");
  m_device.handle = handle;
  m_device.deviceClosed = 0;

  if (!LogInEncrypted(userPassword)) {
    // The first login alone gives nothing to work with: close it, so that the device is as closed
    // as the buttons show.
    CameraClient_Close(m_device.handle);
    m_device.handle = 0;
    m_device.deviceClosed = 1;
    ShowMessage("二次登录失败，请检查用户密码是否正确!");
    if (m_pBtnOpen != nullptr) m_pBtnOpen->SetEnabled(true);
    EnableDeviceControls(false);
    return;
  }
  StartLiveVideo();
  CameraClient_SetPlateCallback(m_device.handle, &CMainWnd::OnPlateResult, this, 1);
  if (m_pBtnOpen != nullptr) m_pBtnOpen->SetEnabled(false);
  EnableDeviceControls(true);

  LoadProvinceList();
  LoadLedMode();
  LoadLedLevel();
  LoadLightSchedule();
  SaveLastDeviceIp();

  m_device.ip = ip;
  m_device.port = static_cast<int>(port);
  m_device.user = user;
  m_device.password = loginPassword;
}

// A camera in encryption mode 2 takes its user password in a second login.
bool CMainWnd::LogInEncrypted(const std::string& userPassword) {
  CameraClientEncryptInfo info;
  std::memset(&info, 0, sizeof info);
  CameraClient_GetEncryptInfo(m_device.handle, &info);
  if (info.currentMode != kSecondLoginMode) return true;
  CameraClient_ApplyEncryptInfo(m_device.handle, &info);
  return CameraClient_LoginEncrypted(m_device.handle, userPassword.c_str()) == 0;
}

void CMainWnd::StartLiveVideo() {
  if (m_pPlayControl == nullptr) return;
  HWND video = m_pPlayControl->GetHandle();
  if (video == nullptr) video = m_pPlayControl->CreatePlayWindow();
  const CameraClientPlayHandle play = CameraClient_StartRealPlay(m_device.handle, video);
  m_device.playHandle = IsPlaying(play) ? play : 0;
}

void CMainWnd::OnCloseDevice() {
  m_device.deviceClosed = 1;
  if (m_device.playHandle != 0) {
    CameraClient_StopRealPlay(m_device.playHandle);
    m_device.playHandle = 0;
    if (m_pPlayControl != nullptr && m_pPlayControl->GetHandle() != nullptr) m_pPlayControl->DetachPlayWindow();
  }
  if (m_device.handle != 0) {
    CameraClient_Close(m_device.handle);
    // Results posted before the close returned belong to the camera just closed.
    DiscardPendingResults(WM_PLATE_RESULT, WM_PLATE_RESULT);
    if (m_pPlateList != nullptr) m_pPlateList->RemoveAll();
    m_device.handle = 0;
  }
  if (m_device.searching != 0) StopDeviceSearch();
  if (m_pBtnOpen != nullptr) m_pBtnOpen->SetEnabled(true);
  EnableDeviceControls(false);
  if (m_pPanLedCtrl != nullptr) m_pPanLedCtrl->SetEnabled(false);
}

void CMainWnd::ReleaseCamera() {
  if (m_device.playHandle != 0) CameraClient_StopRealPlay(m_device.playHandle);
  if (m_device.handle != 0) CameraClient_Close(m_device.handle);
  if (m_device.searching != 0) CameraClient_StopFindDevice();
  m_device.playHandle = 0;
  m_device.handle = 0;
  m_device.searching = 0;
  m_device.deviceClosed = 1;
  DiscardPendingResults(WM_SEARCH_RESULT, WM_PLATE_RESULT);
}

// Called once no callback of that kind runs any more.
void CMainWnd::DiscardPendingResults(UINT first, UINT last) {
  MSG msg;
  while (ui::PeekMessage(&msg, m_hWnd, first, last, PM_REMOVE)) {
    if (msg.message == WM_SEARCH_RESULT) std::free(reinterpret_cast<void*>(msg.lParam));
    if (msg.message == WM_PLATE_RESULT) {
      std::free(reinterpret_cast<void*>(msg.wParam));
      delete[] reinterpret_cast<char*>(msg.lParam);
    }
  }
}

void CMainWnd::LoadLastDeviceIp() {
  const std::string ip = ::LoadLastDeviceIp(LastDeviceIpPath());
  if (!ip.empty()) SetDeviceIpText(ip);
}

void CMainWnd::SaveLastDeviceIp() { ::SaveLastDeviceIp(LastDeviceIpPath(), DialogControlText(m_pEditIp)); }
