#include "platform/camera/EventDispatcher.h"

#include "platform/camera/ImageRegistry.h"

namespace camera {
namespace {

// Events waiting for a slow callback; beyond either limit the newest are dropped.
constexpr std::size_t kMaxQueuedEvents = 1024;
constexpr std::size_t kMaxQueuedClipBytes = 64u * 1024u * 1024u;

}  // namespace

EventDispatcher::EventDispatcher(CameraClientHandle handle, ImageRegistry& images)
    : m_handle(handle), m_images(images), m_queue(kMaxQueuedEvents) {}

void EventDispatcher::SetPlateCallback(CameraClientPlateCallback callback, void* user) {
  m_plateCallback.Set(callback, user);
}

void EventDispatcher::SetQueryCallback(CameraClientQueryCallback callback, void* user) {
  m_queryCallback.Set(callback, user);
}

void EventDispatcher::PostPlate(protocol::PlateEvent event) {
  if (!m_plateCallback.IsSet()) return;
  const std::size_t clipBytes = event.clip.size();
  if (!ReserveClipBytes(clipBytes)) return;
  const bool queued = m_queue.Post([self = shared_from_this(), event = std::move(event), clipBytes] {
    self->ReleaseClipBytes(clipBytes);
    self->DeliverPlate(event);
  });
  if (!queued) ReleaseClipBytes(clipBytes);
}

void EventDispatcher::PostQueryRecords(std::vector<protocol::PlateQueryRecord> records, std::uint64_t generation) {
  if (records.empty() || !m_queryCallback.IsSet()) return;
  m_queue.Post([self = shared_from_this(), records = std::move(records), generation] {
    self->DeliverQueryRecords(records, generation);
  });
}

void EventDispatcher::Stop() {
  m_plateCallback.Set(nullptr, nullptr);
  m_queryCallback.Set(nullptr, nullptr);
  m_queue.Stop();
}

// Clips are up to 8 MiB each: the event count alone would let a slow callback pile up gigabytes.
bool EventDispatcher::ReserveClipBytes(std::size_t bytes) {
  std::lock_guard lock(m_clipMutex);
  if (m_queuedClipBytes + bytes > kMaxQueuedClipBytes) return false;
  m_queuedClipBytes += bytes;
  return true;
}

void EventDispatcher::ReleaseClipBytes(std::size_t bytes) {
  std::lock_guard lock(m_clipMutex);
  m_queuedClipBytes -= bytes;
}

void EventDispatcher::DeliverPlate(const protocol::PlateEvent& event) {
  CameraClientImageHandle clip = 0;
  if (!event.clip.empty()) clip = m_images.Add(std::make_shared<const std::vector<std::uint8_t>>(event.clip));
  m_plateCallback.Call([&](CameraClientPlateCallback callback, void* user) {
    callback(m_handle, user, &event.result, 0, 1, 0, clip);
  });
  if (clip != 0) m_images.Remove(clip);
}

void EventDispatcher::DeliverQueryRecords(const std::vector<protocol::PlateQueryRecord>& records,
                                          std::uint64_t generation) {
  for (const auto& record : records) {
    const bool called = m_queryCallback.CallIf(generation, [&](CameraClientQueryCallback callback, void* user) {
      callback(m_handle, user, &record.result, 0, record.trigger);
    });
    if (!called) return;
  }
}

}  // namespace camera
