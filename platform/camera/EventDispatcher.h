#pragma once
// Runs the plate and plate-query callbacks of one handle, in arrival order, on a library thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/camera/CallbackSlot.h"
#include "platform/camera/WorkQueue.h"
#include "platform/camera/protocol/PlateMessages.h"

namespace camera {

class ImageRegistry;

class EventDispatcher : public std::enable_shared_from_this<EventDispatcher> {
 public:
  EventDispatcher(CameraClientHandle handle, ImageRegistry& images);

  // Both wait for a running callback of their kind (unless called from it).
  void SetPlateCallback(CameraClientPlateCallback callback, void* user);
  void SetQueryCallback(CameraClientQueryCallback callback, void* user);

  void PostPlate(protocol::PlateEvent event);
  // The query callback's registration now; records asked under it are posted with it.
  std::uint64_t QueryGeneration() const { return m_queryCallback.Generation(); }
  // Records asked under an earlier registration are dropped: after SetQueryCallback returns, no
  // record of a page asked before it is delivered.
  void PostQueryRecords(std::vector<protocol::PlateQueryRecord> records, std::uint64_t generation);
  // No callback runs or starts once this returns (a running one has finished, unless it is the caller).
  void Stop();

 private:
  void DeliverPlate(const protocol::PlateEvent& event);
  void DeliverQueryRecords(const std::vector<protocol::PlateQueryRecord>& records, std::uint64_t generation);
  bool ReserveClipBytes(std::size_t bytes);
  void ReleaseClipBytes(std::size_t bytes);

  const CameraClientHandle m_handle;
  ImageRegistry& m_images;
  CallbackSlot<CameraClientPlateCallback> m_plateCallback;
  CallbackSlot<CameraClientQueryCallback> m_queryCallback;
  std::mutex m_clipMutex;
  std::size_t m_queuedClipBytes = 0;  // clips of the plate events waiting in the queue
  WorkQueue m_queue;
};

}  // namespace camera
