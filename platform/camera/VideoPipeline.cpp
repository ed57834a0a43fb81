#include "platform/camera/VideoPipeline.h"

#include "platform/os/WindowSystem.h"

namespace camera {

VideoPipeline::VideoPipeline(CameraClientHandle handle) : m_handle(handle), m_queue(1) {}

std::size_t VideoPipeline::AddPlay(CameraClientPlayHandle play, HWND window) {
  std::lock_guard lock(m_mutex);
  m_plays[play] = window;
  return m_plays.size();
}

std::size_t VideoPipeline::RemovePlay(CameraClientPlayHandle play) {
  std::unique_lock lock(m_mutex);
  m_plays.erase(play);
  const auto self = std::this_thread::get_id();
  m_idle.wait(lock, [&] { return !m_delivering || *m_delivering == self; });
  return m_plays.size();
}

std::size_t VideoPipeline::PlayCount() const {
  std::lock_guard lock(m_mutex);
  return m_plays.size();
}

void VideoPipeline::SetFrameCallback(CameraClientFrameCallback callback, void* user) {
  m_frameCallback.Set(callback, user);
}

void VideoPipeline::Offer(protocol::VideoFrameEvent frame) {
  std::lock_guard lock(m_mutex);
  if (m_plays.empty()) return;
  m_newest = std::move(frame);
  if (m_scheduled) return;
  m_scheduled = m_queue.Post([self = shared_from_this()] { self->DeliverNewest(); });
}

void VideoPipeline::Stop() {
  {
    std::unique_lock lock(m_mutex);
    m_plays.clear();
    m_newest.reset();
    const auto self = std::this_thread::get_id();
    m_idle.wait(lock, [&] { return !m_delivering || *m_delivering == self; });
  }
  m_frameCallback.Set(nullptr, nullptr);
  m_queue.Stop();
}

void VideoPipeline::DeliverNewest() {
  std::optional<protocol::VideoFrameEvent> frame;
  std::map<CameraClientPlayHandle, HWND> plays;
  {
    std::lock_guard lock(m_mutex);
    m_scheduled = false;
    frame.swap(m_newest);
    if (!frame || m_plays.empty()) return;
    plays = m_plays;
    m_delivering = std::this_thread::get_id();
  }
  Deliver(*frame, plays);
  {
    std::lock_guard lock(m_mutex);
    m_delivering.reset();
  }
  m_idle.notify_all();
}

void VideoPipeline::Deliver(const protocol::VideoFrameEvent& frame,
                            const std::map<CameraClientPlayHandle, HWND>& plays) {
  const BgraPicture* picture = nullptr;
  bool streamed = false;
  for (const auto& [play, window] : plays) {
    {
      // A play stopped from inside this delivery is not served again.
      std::lock_guard lock(m_mutex);
      if (m_plays.count(play) == 0) continue;
    }
    if (window == nullptr) {
      if (streamed) continue;
      streamed = true;
      if (!m_frameCallback.IsSet()) continue;
      const auto i420 = m_decoder.DecodeI420(frame.jpeg, frame.width, frame.height);
      if (!i420) continue;
      m_frameCallback.Call([&](CameraClientFrameCallback callback, void* user) {
        callback(m_handle, user, &i420->frame);
      });
      continue;
    }
    // Decoded once for every window of the same size (a window is normally shown by one play).
    const std::optional<SIZE> size = os::VideoSize(window);
    if (!size) continue;
    if (picture == nullptr || picture->width != size->cx || picture->height != size->cy) {
      picture = m_scaler.Decode(frame.jpeg, frame.width, frame.height, *size);
    }
    if (picture == nullptr) continue;
    os::PresentVideo(window, os::VideoImage{picture->pixels.data(), picture->width, picture->height, picture->stride,
                                            frame.frameNumber});
  }
}

}  // namespace camera
