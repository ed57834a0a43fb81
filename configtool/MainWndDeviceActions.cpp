// The default province, the manual trigger, the reboot and the camera's system log.

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/Base64.h"
#include "common/FileUtil.h"
#include "configtool/MainWnd.h"
#include "configtool/ProvinceList.h"
#include "configtool/SystemLogFile.h"
#include "platform/os/LocalTime.h"

namespace {

constexpr int kSystemLogBufferSize = 0x200000;

}  // namespace

void CMainWnd::LoadProvinceList() {
  if (m_pCmbProvince == nullptr) return;
  m_pCmbProvince->RemoveAll();
  CameraClientProvinceInfo info;
  std::memset(&info, 0, sizeof info);
  const bool answered = m_device.handle != 0 && CameraClient_GetProvinceInfo(m_device.handle, &info) == 0;
  const ProvinceChoice choice = MakeProvinceChoice(answered ? &info : nullptr);
  for (const std::string& item : choice.items) {
    auto* element = new ui::CListLabelElementUI;
    element->SetText(item.c_str());
    m_pCmbProvince->Add(element);
  }
  if (choice.selection >= 0) m_pCmbProvince->SelectItem(choice.selection);
}

void CMainWnd::OnProvinceSelected() {
  if (m_pCmbProvince == nullptr || m_device.handle == 0) return;
  const int selection = m_pCmbProvince->GetCurSel();
  if (selection < 0) return;
  // Item 0 ("无") clears the default province.
  if (CameraClient_SetDefaultProvince(m_device.handle, selection - 1) != 0) ShowMessage("设置默认省份失败，请重试! ");
}

void CMainWnd::ManualTrigger() { CameraClient_ForceTrigger(m_device.handle); }

void CMainWnd::RebootDevice() {
  if (ui::UIMessageBox2(m_hWnd, "设备确定要重启吗?") == 0) CameraClient_Reboot(m_device.handle);
}

void CMainWnd::ExportSystemLog() {
  std::vector<char> buffer(kSystemLogBufferSize, '\0');
  int length = kSystemLogBufferSize;
  const bool read = CameraClient_GetSystemLog(m_device.handle, 0, buffer.data(), &length) == 0 && length > 0;
  bool written = false;
  if (read) {
    const auto bytes = static_cast<std::size_t>(std::min(length, kSystemLogBufferSize));
    const std::string text = Base64Encode(reinterpret_cast<const unsigned char*>(buffer.data()), bytes);
    written = WriteTextFile(SystemLogFilePath(GetAppDirectory(), os::GetLocalTime()), text);
  }
  ShowMessage(written ? "生成系统日志成功! " : "生成系统日志失败，请重试! ");
}
