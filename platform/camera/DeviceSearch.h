#pragma once
// One running search. One thread probes the targets (see ProbeSchedule) and drains the answers
// from the socket as they come, so that callbacks that take their time cannot make the kernel
// drop answers; another reports each camera once per (idLow, idHigh, IP, port) in the order found.

#include <cstdint>
#include <memory>
#include <thread>

#include "cameraclient/CameraClient.h"

namespace camera {

struct SearchCallback {
  CameraClientFindDeviceCallback plain = nullptr;
  CameraClientFindDeviceExCallback extended = nullptr;
  void* user = nullptr;
};

class DeviceSearch {
 public:
  DeviceSearch(const DeviceSearch&) = delete;
  DeviceSearch& operator=(const DeviceSearch&) = delete;
  ~DeviceSearch();

  // nullptr when no socket could be opened.
  static std::unique_ptr<DeviceSearch> Start(SearchCallback callback);
  // Once this returns no report runs or starts (a running one has finished, unless the caller is it).
  void Stop();

 private:
  struct State;
  explicit DeviceSearch(std::shared_ptr<State> state);
  static void Listen(const std::shared_ptr<State>& state);
  static void Deliver(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
  std::thread m_listener;
  std::thread m_reporter;
};

}  // namespace camera
