#include "platform/camera/Library.h"

#include <vector>

#include "platform/camera/DeliveryPool.h"
#include "platform/camera/Device.h"

namespace camera {

Library& Library::Instance() {
  static Library library;
  return library;
}

Library::~Library() { Cleanup(); }

void Library::Setup() {
  std::unique_lock lock(m_mutex);
  m_setUp = true;
}

void Library::Cleanup() {
  StopSearch();
  std::map<CameraClientHandle, std::shared_ptr<Device>> devices;
  {
    std::unique_lock lock(m_mutex);
    m_setUp = false;
    devices.swap(m_devices);
    m_plays.clear();
  }
  // An Open under way finds the library cleaned up and closes its device itself.
  AwaitOpening();
  for (auto& [handle, device] : devices) device->Close();
  m_images.Clear();
  m_timers.Stop();
  m_io.Stop();
  DeliveryPool::Shared().Stop();
}

void Library::AwaitOpening() {
  std::unique_lock lock(m_openingMutex);
  m_openingDone.wait(lock, [&] { return m_opening == 0; });
}

bool Library::IsSetUp() const {
  std::shared_lock lock(m_mutex);
  return m_setUp;
}

CameraClientHandle Library::Open(const CameraAddress& address, Credentials credentials) {
  CameraClientHandle handle = 0;
  {
    std::unique_lock lock(m_mutex);
    if (!m_setUp) return 0;
    handle = ++m_lastHandle;
    std::lock_guard opening(m_openingMutex);
    ++m_opening;
  }
  // Counted until this returns: Cleanup waits for it.
  struct Opening {
    Library& library;
    ~Opening() {
      std::lock_guard lock(library.m_openingMutex);
      --library.m_opening;
      library.m_openingDone.notify_all();
    }
  } opening{*this};
  auto device = std::make_shared<Device>(handle, address, std::move(credentials), m_images,
                                         LinkThreads{m_io.Next(), m_timers});
  const bool connected = device->Open();
  {
    std::unique_lock lock(m_mutex);
    if (connected && m_setUp) {
      m_devices.emplace(handle, device);
      return handle;
    }
  }
  device->Close();  // not reached, or cleaned up meanwhile
  return 0;
}

bool Library::Close(CameraClientHandle handle) {
  std::shared_ptr<Device> device;
  {
    std::unique_lock lock(m_mutex);
    const auto it = m_devices.find(handle);
    if (it == m_devices.end()) return false;
    device = std::move(it->second);
    m_devices.erase(it);
    std::erase_if(m_plays, [&](const auto& entry) { return entry.second.handle == handle; });
  }
  device->Close();
  return true;
}

std::shared_ptr<Device> Library::Find(CameraClientHandle handle) const {
  std::shared_lock lock(m_mutex);
  if (!m_setUp) return nullptr;
  const auto it = m_devices.find(handle);
  return it == m_devices.end() ? nullptr : it->second;
}

CameraClientPlayHandle Library::StartPlay(CameraClientHandle handle, HWND window, int stream) {
  CameraClientPlayHandle play = 0;
  std::shared_ptr<Device> device;
  {
    std::unique_lock lock(m_mutex);
    const auto it = m_devices.find(handle);
    if (!m_setUp || it == m_devices.end()) return -1;
    device = it->second;
    play = ++m_lastPlay;
    m_plays.emplace(play, Play{handle, device});
  }
  if (device->StartPlay(play, window, stream)) return play;
  std::unique_lock lock(m_mutex);
  m_plays.erase(play);
  return -1;
}

bool Library::StopPlay(CameraClientPlayHandle play) {
  std::shared_ptr<Device> device;
  {
    std::unique_lock lock(m_mutex);
    const auto it = m_plays.find(play);
    if (it == m_plays.end()) return false;
    device = it->second.device.lock();
    m_plays.erase(it);
  }
  if (device) device->StopPlay(play);
  return true;
}

bool Library::StartSearch(SearchCallback callback) {
  if (!IsSetUp()) return false;
  StopSearch();  // a new search replaces the running one
  std::unique_ptr<DeviceSearch> replaced;
  {
    // Held until the new search is registered: a report may come at once, and a callback that
    // stops the search from inside it must find this search to stop.
    std::lock_guard lock(m_searchMutex);
    auto search = DeviceSearch::Start(callback);
    if (!search) return false;
    replaced.swap(m_search);
    m_search = std::move(search);
  }
  if (replaced) replaced->Stop();
  return true;
}

void Library::StopSearch() {
  std::unique_ptr<DeviceSearch> search;
  {
    std::lock_guard lock(m_searchMutex);
    search.swap(m_search);
  }
  if (search) search->Stop();
}

}  // namespace camera
