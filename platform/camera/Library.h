#pragma once
// The library's global state between CameraClient_Setup and CameraClient_Cleanup: open handles,
// plays, clip pictures, the search, and the threads every handle shares (the I/O threads start with
// the first handle; Cleanup ends them and the callback threads). Thread-safe; every lookup fails
// outside Setup..Cleanup.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>

#include "cameraclient/CameraClient.h"
#include "platform/camera/CameraAddress.h"
#include "platform/camera/CameraLink.h"
#include "platform/camera/ClockTimers.h"
#include "platform/camera/DeviceSearch.h"
#include "platform/camera/ImageRegistry.h"
#include "platform/camera/IoPool.h"

namespace camera {

class Device;

class Library {
 public:
  static Library& Instance();
  // At exit: what Cleanup does, so that no library thread runs on while the process ends.
  ~Library();

  void Setup();
  void Cleanup();
  bool IsSetUp() const;

  // 0 when not set up or the camera cannot be opened.
  CameraClientHandle Open(const CameraAddress& address, Credentials credentials);
  bool Close(CameraClientHandle handle);
  // nullptr for 0, unknown and closed handles.
  std::shared_ptr<Device> Find(CameraClientHandle handle) const;

  // -1 on failure. A null window starts a window-less stream.
  CameraClientPlayHandle StartPlay(CameraClientHandle handle, HWND window, int stream);
  bool StopPlay(CameraClientPlayHandle play);

  ImageRegistry& Images() { return m_images; }

  bool StartSearch(SearchCallback callback);
  void StopSearch();

 private:
  struct Play {
    CameraClientHandle handle;
    std::weak_ptr<Device> device;
  };

  void AwaitOpening();

  // Before the devices: their links run on these.
  IoPool m_io;
  ClockTimers m_timers;

  mutable std::shared_mutex m_mutex;
  bool m_setUp = false;
  std::map<CameraClientHandle, std::shared_ptr<Device>> m_devices;
  std::map<CameraClientPlayHandle, Play> m_plays;
  CameraClientHandle m_lastHandle = 0;   // handles and plays are never reused
  CameraClientPlayHandle m_lastPlay = 0;
  ImageRegistry m_images;

  std::mutex m_openingMutex;
  std::condition_variable m_openingDone;
  int m_opening = 0;  // Open calls connecting now

  std::mutex m_searchMutex;
  std::unique_ptr<DeviceSearch> m_search;
};

}  // namespace camera
