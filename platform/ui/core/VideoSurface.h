#pragma once
// Internal: the video pictures of one window, handed whole from the thread that decodes them to
// the window's thread. Three buffers take turns: the one the window shows, the one waiting (the
// newest picture, or an older one already shown), and a spare that the next picture is copied
// into before it takes the waiting one's place; a stream of pictures of one size allocates
// nothing. It also keeps the window's size for the decoding thread and counts the pictures that
// came, were shown, and were lost on the way.

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/os/WinTypes.h"
#include "platform/os/WindowSystem.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/render/Image.h"

namespace ui {

class VideoSurface {
 public:
  enum class Presented {
    kRefused,        // an empty picture, or no memory for it
    kRepaintAsked,   // a repaint is asked for already
    kAskForRepaint,  // the caller asks the window to repaint (and then calls RepaintAsked)
  };

  // Any thread.
  SIZE Size() const;
  // Copies the picture in as the newest one, replacing one not yet shown.
  Presented Present(const os::VideoImage& image);
  VideoFrameCounts Counts() const;

  // The window's thread.
  void SetSize(SIZE size);
  // The repaint asked for by Present is on its way: the next picture asks again.
  void RepaintAsked();
  // The picture to paint: the newest one (which now counts as shown) or else the one shown last;
  // nullptr before the first. Valid until the next call.
  const Image* PictureToPaint();

 private:
  mutable std::mutex m_mutex;
  SIZE m_size{};
  std::shared_ptr<Image> m_shown;
  std::shared_ptr<Image> m_waiting;
  bool m_waitingIsNew = false;
  std::shared_ptr<Image> m_spare;
  bool m_repaintAsked = false;
  std::uint32_t m_lastFrameNumber = 0;
  VideoFrameCounts m_counts;
};

}  // namespace ui
