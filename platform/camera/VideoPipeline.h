#pragma once
// The live video of one handle: keeps the newest frame from the camera and, on a library thread,
// decodes it for each play: BGRA of the window's size into the play's window, I420 to the frame
// callback for the window-less streams.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "cameraclient/CameraClient.h"
#include "platform/camera/CallbackSlot.h"
#include "platform/camera/JpegDecoder.h"
#include "platform/camera/VideoFrameScaler.h"
#include "platform/camera/WorkQueue.h"
#include "platform/camera/protocol/VideoMessages.h"

namespace camera {

class VideoPipeline : public std::enable_shared_from_this<VideoPipeline> {
 public:
  explicit VideoPipeline(CameraClientHandle handle);

  // A play into `window`, or a window-less stream when `window` is null. Returns the number of
  // plays afterwards.
  std::size_t AddPlay(CameraClientPlayHandle play, HWND window);
  // Once this returns, nothing more is delivered for the play (a delivery running then has
  // finished, unless the caller is that delivery). Returns the number of plays left.
  std::size_t RemovePlay(CameraClientPlayHandle play);
  std::size_t PlayCount() const;
  // Waits for a running frame callback (unless called from it).
  void SetFrameCallback(CameraClientFrameCallback callback, void* user);

  // From the connection's thread: replaces any frame not yet delivered.
  void Offer(protocol::VideoFrameEvent frame);
  // Removes every play and the frame callback and ends the thread.
  void Stop();

 private:
  void DeliverNewest();
  void Deliver(const protocol::VideoFrameEvent& frame, const std::map<CameraClientPlayHandle, HWND>& plays);

  const CameraClientHandle m_handle;
  CallbackSlot<CameraClientFrameCallback> m_frameCallback;
  WorkQueue m_queue;
  JpegDecoder m_decoder;      // used on the queue's thread only
  VideoFrameScaler m_scaler;  // likewise

  mutable std::mutex m_mutex;
  std::condition_variable m_idle;
  std::map<CameraClientPlayHandle, HWND> m_plays;
  std::optional<protocol::VideoFrameEvent> m_newest;
  bool m_scheduled = false;
  std::optional<std::thread::id> m_delivering;  // the thread delivering a frame now
};

}  // namespace camera
