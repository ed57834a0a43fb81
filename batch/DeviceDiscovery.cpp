#include "batch/DeviceDiscovery.h"

#include "batch/BatchMessages.h"
#include "batch/BatchThreads.h"
#include "batch/CountingSemaphore.h"
#include "batch/LoginStore.h"
#include "platform/os/WindowSystem.h"

namespace {

constexpr os::Milliseconds kBeforeLogin{500};
constexpr os::Milliseconds kBeforeSecondLogin{2000};

}  // namespace

int DeviceDiscovery::DeviceSearchCallback(int, const char* ip, int port, int value, std::uint32_t idLow,
                                          std::uint32_t idHigh, void* user) {
  if (user == nullptr || ip == nullptr || ip[0] == '\0') return 0;
  static_cast<DeviceDiscovery*>(user)->OnDeviceFound(ip, port, value, idLow, idHigh);
  return 0;
}

bool DeviceDiscovery::IsKnownLocked(const std::string& ip, std::uint16_t port) const {
  for (const std::shared_ptr<DeviceInfo>& device : m_found) {
    if (device->Ip() == ip && device->Port() == port) return true;
  }
  return false;
}

bool DeviceDiscovery::OnDeviceFound(const char* ip, int port, int value, std::uint32_t idLow, std::uint32_t idHigh) {
  const auto port16 = static_cast<std::uint16_t>(port & 0xFFFF);
  if (ip == nullptr || ip[0] == '\0' || port16 == 0) return false;
  auto device = std::make_shared<DeviceInfo>();
  device->SetIp(ip);
  device->SetPort(port16);
  device->SetSearchNumbers(static_cast<std::uint16_t>(value & 0xFFFF), idLow, idHigh);
  if (const std::shared_ptr<DeviceInfo> saved = FindLoginInfo(GetLoginStore(), ip)) {
    device->SetLogin(saved->User(), saved->Password());
  }
  // A camera that answers again, at the address it has now, is listed once. The record is listed
  // together with its running device thread: whoever sees the one sees the other.
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_accepting || IsKnownLocked(ip, port16)) return false;
  try {
    GetBatchThreads().Start([self = shared_from_this(), device] { self->OpenDeviceThread(device); });
  } catch (...) {
    // No thread for the camera now: it stays unknown, so that its next answer is taken. Nothing
    // leaves the library's search thread.
    return false;
  }
  m_found.push_back(device);
  return true;
}

void DeviceDiscovery::OpenDeviceThread(const std::shared_ptr<DeviceInfo>& device) {
  SlotPermit permit(DiscoverySlots());
  if (m_closing) return;
  GetBatchThreads().Pause(kBeforeLogin);
  if (!device->OpenDevice()) {
    GetBatchThreads().Pause(kBeforeSecondLogin);
    device->OpenDevice();
  }
  // Listed whether or not the login succeeded: the operator can log in from the row.
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ready.push_back(device);
  }
  os::PostMessage(m_window, WM_DEVICE_READY, 0, 0);
}

void DeviceDiscovery::StopAccepting() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_accepting = false;
}

std::vector<std::shared_ptr<DeviceInfo>> DeviceDiscovery::TakeReady() {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::shared_ptr<DeviceInfo>> ready;
  ready.swap(m_ready);
  return ready;
}

std::vector<std::shared_ptr<DeviceInfo>> DeviceDiscovery::FoundDevices() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_found;
}

void DeviceDiscovery::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_found.clear();
  m_ready.clear();
}
