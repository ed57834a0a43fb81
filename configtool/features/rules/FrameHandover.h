#pragma once
// FrameHandover: passes converted video pictures from the camera library's frame thread to the
// window thread whole. Three pictures rotate: the frame thread fills its own and publishes it
// under the lock (replacing one not yet taken); the window thread takes the newest under the lock
// and reads it at leisure until it takes the next. Nobody ever reads a picture being written.

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

// The largest converted picture: bigger views show it stretched.
inline constexpr int kMaxPictureWidth = 1920;
inline constexpr int kMaxPictureHeight = 1280;

struct RulePicture {
  std::vector<std::uint8_t> rgb565;  // room for the largest picture
  int width = 0;
  int height = 0;
  int stride = 0;
  int sourceWidth = 0;  // of the camera frame it was made from
  int sourceHeight = 0;
  int viewWidth = 0;  // of the view it was made for
  int viewHeight = 0;
};

class FrameHandover {
 public:
  // Every picture zeroed, at the largest size.
  FrameHandover();
  FrameHandover(const FrameHandover&) = delete;
  FrameHandover& operator=(const FrameHandover&) = delete;

  // --- The frame thread ---
  RulePicture& Back() { return *m_back; }
  void Publish();

  // --- The window thread ---
  // True when a picture came since the last take; Front() is that picture from then on.
  bool TakeNewest();
  const RulePicture& Front() const { return *m_front; }

 private:
  std::array<RulePicture, 3> m_pictures;
  RulePicture* m_back;
  RulePicture* m_front;
  std::mutex m_mutex;
  RulePicture* m_ready;  // guarded by m_mutex
  bool m_fresh = false;  // guarded by m_mutex
};
