#include "batch/DeviceInfo.h"

#include "batch/BatchConstants.h"
#include "batch/VersionNumber.h"

namespace {

constexpr int kNoiseReductionHardware = 2;

}  // namespace

DeviceInfo::DeviceInfo() : m_user(BatchConstants::kDefaultUserName), m_password(BatchConstants::kDefaultPassword) {}

DeviceInfo::~DeviceInfo() {
  if (m_handle != 0) CameraClient_Close(m_handle);
}

std::string DeviceInfo::Ip() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_ip;
}

void DeviceInfo::SetIp(const std::string& ip) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_ip = ip;
}

std::uint16_t DeviceInfo::Port() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_port;
}

void DeviceInfo::SetPort(std::uint16_t port) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_port = port;
}

void DeviceInfo::SetSearchNumbers(std::uint16_t value, std::uint32_t idLow, std::uint32_t idHigh) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_value = value;
  m_idLow = idLow;
  m_idHigh = idHigh;
}

std::uint16_t DeviceInfo::Value() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_value;
}

std::uint32_t DeviceInfo::IdLow() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_idLow;
}

std::uint32_t DeviceInfo::IdHigh() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_idHigh;
}

std::string DeviceInfo::User() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_user;
}

std::string DeviceInfo::Password() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_password;
}

void DeviceInfo::SetLogin(const std::string& user, const std::string& password) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_user = user;
  m_password = password;
}

CameraClientHandle DeviceInfo::Handle() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_handle;
}

std::vector<int> DeviceInfo::Version() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_version;
}

int DeviceInfo::HardwareType() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_hardwareType;
}

std::string DeviceInfo::GetVersion3Text() const { return Version3Text(Version()); }

std::string DeviceInfo::GetVersion4Text() const { return Version4Text(Version()); }

bool DeviceInfo::OpenDevice() {
  std::lock_guard<std::mutex> openLock(m_openMutex);
  CameraClientHandle previous = 0;
  std::string ip, user, password;
  int port = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_version.clear();
    previous = m_handle;
    m_handle = 0;
    ip = m_ip;
    port = m_port;
    user = m_user;
    password = m_password;
  }
  if (previous != 0) CameraClient_Close(previous);
  const CameraClientHandle handle = CameraClient_Open(ip.c_str(), port, user.c_str(), password.c_str());
  // Asked even without a handle, as the camera library allows.
  int type = 0;
  CameraClient_GetHardwareType(handle, &type);
  int a = 0, b = 0, c = 0, d = 0;
  const bool versionRead = handle != 0 && CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d) == 0;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_handle = handle;
  if (type == kNoiseReductionHardware) m_hardwareType = kNoiseReductionHardware;
  if (versionRead) m_version = {a, b, c, d};
  return handle != 0;
}

void DeviceInfo::CloseDevice() {
  std::lock_guard<std::mutex> openLock(m_openMutex);
  CameraClientHandle previous = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_version.clear();
    previous = m_handle;
    m_handle = 0;
  }
  if (previous != 0) CameraClient_Close(previous);
}

void DeviceInfo::RefreshVersion() {
  std::lock_guard<std::mutex> openLock(m_openMutex);
  const CameraClientHandle handle = Handle();
  int a = 0, b = 0, c = 0, d = 0;
  const bool versionRead = handle != 0 && CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d) == 0;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_version.clear();
  if (versionRead) m_version = {a, b, c, d};
}
