#include "batch/DlgBatchOperationCfg.h"


#include "batch/BatchConfig.h"
#include "batch/BatchListItem.h"
#include "batch/BatchMessages.h"
#include "batch/BatchThreads.h"
#include "batch/BatchUpdate.h"
#include "batch/BatchUpdateSelf.h"
#include "batch/CountingSemaphore.h"
#include "batch/LoginStore.h"
#include "cameraclient/CameraClient.h"
#include "common/ControlLookup.h"

namespace {

constexpr int kUpdateKey = 0;
constexpr int kConfigKey = 1;
constexpr int kUpdateSelfKey = 2;
constexpr UINT kIconResource = 101;
constexpr os::Milliseconds kCloseStep{100};
constexpr int kLeastCloseSteps = 100;
constexpr char kBusyOnClose[] = "正在进行操作，关闭程序可能造成操作失败！";

CDlgBatchOperationCfg* g_dialog = nullptr;

int TabKey(const ui::CDuiString& optionName) {
  if (optionName == "tab_update") return kUpdateKey;
  if (optionName == "tab_config") return kConfigKey;
  if (optionName == "tab_update_self") return kUpdateSelfKey;
  return -1;
}

}  // namespace

CDlgBatchOperationCfg* GetBatchDialog() {
  if (g_dialog == nullptr) g_dialog = new CDlgBatchOperationCfg;
  return g_dialog;
}

CDlgBatchOperationCfg::CDlgBatchOperationCfg()
    : m_claims([this](const DeviceInfo& device) { RefreshDeviceRows(device); }) {
  LoadLoginInfo(GetLoginStore());
}

CDlgBatchOperationCfg::~CDlgBatchOperationCfg() {
  ClearRunFlag();
  StopHook();
  if (m_discovery != nullptr) {
    // Device threads still waiting for a permit skip their login, however the window ended.
    m_discovery->SetClosing();
    // After the search has stopped, no report starts another device thread.
    m_discovery->StopAccepting();
    CameraClient_StopFindDevice();
  }
  WaitForDeviceThreads();
  GetBatchThreads().JoinAll();
  for (auto& [key, op] : m_operators) delete op;
  m_operators.clear();
  if (m_discovery != nullptr) m_discovery->Clear();
  if (g_dialog == this) g_dialog = nullptr;
}

void CDlgBatchOperationCfg::WaitForDeviceThreads() {
  for (int steps = 0; steps < kLeastCloseSteps || DiscoverySlots().Available() < 2; ++steps) os::Sleep(kCloseStep);
}

void CDlgBatchOperationCfg::BindControls() {
  SetIcon(kIconResource);
  m_pCloseBtn = m_pm.FindControl("closebtn");
  m_discovery = std::make_shared<DeviceDiscovery>(GetHWND());
  m_operators[kUpdateKey] = new CBatchUpdate(&m_pm, m_claims);
  m_operators[kConfigKey] = new CBatchConfig(&m_pm, m_claims);
  m_operators[kUpdateSelfKey] = new CBatchUpdateSelf(&m_pm, m_claims);
  CameraClient_StopFindDevice();
  CameraClient_StartFindDevice(DeviceDiscovery::DeviceSearchCallback, m_discovery.get());
  m_ready = true;
}

CBatchOpratorBase* CDlgBatchOperationCfg::Operator(int key) const {
  const auto it = m_operators.find(key);
  return it == m_operators.end() ? nullptr : it->second;
}

void CDlgBatchOperationCfg::Notify(ui::TNotifyUI& msg) {
  if (!m_ready) return;
  if (msg.sType == "selectchanged") {
    const int key = msg.pSender != nullptr ? TabKey(msg.pSender->GetName()) : -1;
    if (key >= 0) SelectTab(key);
  } else if (msg.sType == "click" && msg.pSender != nullptr && msg.pSender == m_pCloseBtn) {
    CloseUnlessBusy();
    return;
  } else if (msg.sType == "timer") {
    // A tab's watch over its rows goes on while another tab is shown.
    for (auto& [key, op] : m_operators) op->Notify(msg);
  } else if (CBatchOpratorBase* current = Operator(m_currentKey)) {
    current->Notify(msg);
  }
  CDialogWnd::Notify(msg);
}

void CDlgBatchOperationCfg::SelectTab(int key) {
  m_currentKey = key;
  if (auto* tabs = FindDialogControl<ui::CTabLayoutUI>(m_pm, "switch")) tabs->SelectItem(key);
  if (CBatchOpratorBase* op = Operator(key)) op->RefreshRows();
}

void CDlgBatchOperationCfg::CloseUnlessBusy() {
  // Any tab that works keeps the window open: its workers would lose their rows.
  for (auto& [key, op] : m_operators) {
    if (op->IsBusy()) {
      ui::UIMessageBox(GetHWND(), kBusyOnClose);
      return;
    }
  }
  if (m_discovery != nullptr) m_discovery->SetClosing();
  CameraClient_StopFindDevice();
  // The window goes at once; the wait for the device threads runs after it (the destructor).
  ShowWindow(false, false);
  Close();
}

void CDlgBatchOperationCfg::StopHook() { StopOperators(); }

void CDlgBatchOperationCfg::StopOperators() {
  for (auto& [key, op] : m_operators) {
    op->ClearRunFlag();
    op->StopAll();
  }
}

void CDlgBatchOperationCfg::ListReadyDevices() {
  if (m_discovery == nullptr) return;
  for (const std::shared_ptr<DeviceInfo>& device : m_discovery->TakeReady()) {
    for (auto& [key, op] : m_operators) op->AddDevice(device, true);
  }
}

void CDlgBatchOperationCfg::RefreshDeviceRows(const DeviceInfo& device) {
  for (auto& [key, op] : m_operators) op->RefreshDeviceRows(device);
}

LRESULT CDlgBatchOperationCfg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (IsRunning() && message == WM_ITEM_REFRESH && lParam != 0) {
      // A row that is gone has nothing to show.
      if (CBatchListItem* row = CBatchListItem::FromPostId(lParam)) row->HandleItemPost();
      return 0;
    }
    if (IsRunning() && message == WM_DEVICE_READY) {
      ListReadyDevices();
      return 0;
    }
  } catch (...) {
    // Handed to the framework's default handling below.
  }
  try {
    return CDialogWnd::HandleMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}
