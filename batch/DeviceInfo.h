#pragma once
// One found camera of the batch program, held by shared ownership: the found-device list, each
// tab's list, each row and the workers. Members are read and changed from the window thread and
// from workers, so every access takes the record's lock; the camera calls of OpenDevice run
// outside it, so that a slow login never blocks a reader.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

class DeviceInfo {
 public:
  // A record with the default login of a newly found camera.
  DeviceInfo();
  // Closes a handle that is still open.
  ~DeviceInfo();
  DeviceInfo(const DeviceInfo&) = delete;
  DeviceInfo& operator=(const DeviceInfo&) = delete;

  std::string Ip() const;
  void SetIp(const std::string& ip);
  std::uint16_t Port() const;
  void SetPort(std::uint16_t port);
  // Search numbers, kept and not used.
  void SetSearchNumbers(std::uint16_t value, std::uint32_t idLow, std::uint32_t idHigh);
  std::uint16_t Value() const;
  std::uint32_t IdLow() const;
  std::uint32_t IdHigh() const;

  std::string User() const;
  std::string Password() const;
  void SetLogin(const std::string& user, const std::string& password);

  // 0 while not logged in.
  CameraClientHandle Handle() const;
  // The four firmware numbers after a successful open, else empty.
  std::vector<int> Version() const;
  // 0 until the camera reports type 2, then 2 for good.
  int HardwareType() const;

  // "%d.%d.%d" and "%d.%d.%d.%d" of the version; empty unless it has four numbers.
  std::string GetVersion3Text() const;
  std::string GetVersion4Text() const;

  // Logs in again: closes the previous handle, opens with the record's address and login,
  // reads the hardware type and the firmware version. True when the open gave a handle.
  bool OpenDevice();
  // Closes the handle (when open) and forgets the version.
  void CloseDevice();
  // Reads the firmware version again on the open handle (a camera back from an upgrade);
  // empty when it cannot be read.
  void RefreshVersion();

 private:
  mutable std::mutex m_mutex;
  // Serialises OpenDevice and CloseDevice, so that two logins never leak a handle.
  std::mutex m_openMutex;
  std::string m_ip;
  std::uint16_t m_port = 0;
  std::uint16_t m_value = 0;
  std::uint32_t m_idLow = 0;
  std::uint32_t m_idHigh = 0;
  std::string m_user;
  std::string m_password;
  std::vector<int> m_version;
  CameraClientHandle m_handle = 0;
  int m_hardwareType = 0;
};
