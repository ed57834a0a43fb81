#pragma once
// The cameras the LAN search reports. Each report of a new camera makes a device record with
// the saved login for its IP and a device thread that logs in to it (two at a time). The
// thread then hands the record to the window thread (WM_DEVICE_READY), which lists it in every
// tab: device threads never touch a control.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "batch/DeviceInfo.h"
#include "platform/os/WinTypes.h"

class DeviceDiscovery : public std::enable_shared_from_this<DeviceDiscovery> {
 public:
  // `window` receives WM_DEVICE_READY.
  explicit DeviceDiscovery(HWND window) : m_window(window) {}

  // The camera library's search callback; `user` is the DeviceDiscovery.
  static int DeviceSearchCallback(int reserved, const char* ip, int port, int value, std::uint32_t idLow,
                                  std::uint32_t idHigh, void* user);
  // A camera answered. False when the report is ignored: no IP, port 0, a camera known already
  // (at its address now), no longer accepting, or no thread to be had for it.
  bool OnDeviceFound(const char* ip, int port, int value, std::uint32_t idLow, std::uint32_t idHigh);

  // The window is closing: device threads that have not begun their work skip it.
  void SetClosing() { m_closing = true; }
  // From now on no report starts a device thread.
  void StopAccepting();

  // The records whose device threads are done, in the order they finished; each only once.
  std::vector<std::shared_ptr<DeviceInfo>> TakeReady();
  // Every record made, in the order of the reports.
  std::vector<std::shared_ptr<DeviceInfo>> FoundDevices() const;
  void Clear();

 private:
  bool IsKnownLocked(const std::string& ip, std::uint16_t port) const;
  void OpenDeviceThread(const std::shared_ptr<DeviceInfo>& device);

  HWND m_window;
  mutable std::mutex m_mutex;
  std::vector<std::shared_ptr<DeviceInfo>> m_found;
  std::vector<std::shared_ptr<DeviceInfo>> m_ready;
  bool m_accepting = true;
  std::atomic<bool> m_closing{false};
};
