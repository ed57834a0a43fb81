#include "batch/LoginStore.h"

#include <mutex>
#include <optional>
#include <set>

#include "batch/BatchConstants.h"
#include "batch/LoginCipher.h"
#include "common/StringUtil.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"

namespace {

constexpr std::size_t kLoginFields = 3;

}  // namespace

void LoginStore::Clear() {
  std::unique_lock<std::shared_mutex> lock(m_mutex);
  m_devices.clear();
}

void LoginStore::Insert(const std::shared_ptr<DeviceInfo>& device) {
  std::unique_lock<std::shared_mutex> lock(m_mutex);
  m_devices.emplace(device->Ip(), device);
}

std::shared_ptr<DeviceInfo> LoginStore::Find(const std::string& ip) const {
  std::shared_lock<std::shared_mutex> lock(m_mutex);
  const auto it = m_devices.find(ip);
  return it == m_devices.end() ? nullptr : it->second;
}

std::size_t LoginStore::Size() const {
  std::shared_lock<std::shared_mutex> lock(m_mutex);
  return m_devices.size();
}

std::vector<std::shared_ptr<DeviceInfo>> LoginStore::All() const {
  std::shared_lock<std::shared_mutex> lock(m_mutex);
  std::vector<std::shared_ptr<DeviceInfo>> devices;
  devices.reserve(m_devices.size());
  for (const auto& [ip, device] : m_devices) devices.push_back(device);
  return devices;
}

LoginStore& GetLoginStore() {
  // Never destroyed: discovery threads may still look up while the program ends.
  static LoginStore* const store = new LoginStore;
  return *store;
}

std::string LoginInfoPath() { return os::GetApplicationDirectory() + "/" + BatchConstants::kLoginFileName; }

void LoadLoginInfo(LoginStore& store) {
  store.Clear();
  const std::optional<std::string> text = os::ReadWholeFile(LoginInfoPath());
  if (text) ReadLoginInfoText(store, *text);
}

void ReadLoginInfoText(LoginStore& store, const std::string& fileText) {
  const std::string plain = AesCtrDecrypt(fileText, BatchConstants::kLoginFilePassphrase);
  // The separator's characters each split, so empty pieces lie between the records.
  std::vector<std::string> pieces;
  SplitString(plain, BatchConstants::kLoginRecordSeparator, pieces);
  for (const std::string& piece : pieces) {
    std::vector<std::string> fields;
    SplitString(piece, BatchConstants::kLoginFieldSeparator, fields);
    if (fields.size() != kLoginFields) continue;
    auto device = std::make_shared<DeviceInfo>();
    device->SetIp(fields[0]);
    device->SetLogin(fields[1], fields[2]);
    store.Insert(device);
  }
}

std::shared_ptr<DeviceInfo> FindLoginInfo(const LoginStore& store, const std::string& ip) { return store.Find(ip); }

std::string LoginPlainText(const std::vector<std::shared_ptr<DeviceInfo>>& devices) {
  std::string text;
  for (const std::shared_ptr<DeviceInfo>& device : devices) {
    text += device->Ip() + BatchConstants::kLoginFieldSeparator + device->User() + BatchConstants::kLoginFieldSeparator +
            device->Password() + BatchConstants::kLoginRecordSeparator;
  }
  return text;
}

std::vector<std::shared_ptr<DeviceInfo>> LoginsToSave(const std::vector<std::shared_ptr<DeviceInfo>>& devices,
                                                      const LoginStore& store) {
  std::vector<std::shared_ptr<DeviceInfo>> logins = devices;
  std::set<std::string> listed;
  for (const std::shared_ptr<DeviceInfo>& device : devices) listed.insert(device->Ip());
  for (const std::shared_ptr<DeviceInfo>& saved : store.All()) {
    if (listed.count(saved->Ip()) == 0) logins.push_back(saved);
  }
  return logins;
}

void SaveLoginInfo(const std::vector<std::shared_ptr<DeviceInfo>>& devices) {
  if (devices.empty()) return;
  const std::string plain = LoginPlainText(LoginsToSave(devices, GetLoginStore()));
  const std::string cipherText = AesCtrEncrypt(plain, BatchConstants::kLoginFilePassphrase);
  os::ReplaceFilePrivately(LoginInfoPath(), cipherText);
}

bool IsStorableLoginText(const std::string& text) {
  const std::string separators = std::string(BatchConstants::kLoginFieldSeparator) + BatchConstants::kLoginRecordSeparator;
  return text.find_first_of(separators) == std::string::npos;
}
