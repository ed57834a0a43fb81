#pragma once
// The seam between threads that know only an HWND (callbacks, workers, the camera library)
// and the window framework that owns the windows. The framework installs itself at start-up.

#include <cstdint>
#include <optional>

#include "platform/os/WinTypes.h"

namespace os {

// A 32-bit BGRA picture (Cairo's ARGB32 byte order) that the camera library shows in a window.
struct VideoImage {
  const std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes per row
  // The camera's number of the frame (counting up by one a frame from the start of a stream), so
  // that the window can tell frames that never reached it; 0 when unknown.
  std::uint32_t frameNumber = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Queues the message for the window's thread. False when the window is gone.
  virtual bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual bool IsWindow(HWND hwnd) = 0;
  // Shows a video picture in the window (scaled to its client area). False when the window is gone.
  virtual bool PresentVideo(HWND hwnd, const VideoImage& image) = 0;
  // The size a video picture for the window should have to be shown unscaled (its client area,
  // possibly empty); nullopt when the window is gone.
  virtual std::optional<SIZE> VideoSize(HWND hwnd) = 0;
};

// Installs (or, with nullptr, removes) the window system. Safe against calls running on other threads:
// after removal returns, no call into the old window system runs or starts. It waits for the calls
// in flight, so a window system must not install or remove one from inside its own calls.
void InstallWindowSystem(WindowSystem* windowSystem);

// Thread-safe. False when no window system is installed or the window is gone;
// the sender then still owns whatever the message points to.
bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
bool IsWindow(HWND hwnd);
bool PresentVideo(HWND hwnd, const VideoImage& image);
std::optional<SIZE> VideoSize(HWND hwnd);

}  // namespace os
