#pragma once
// For the start-up benchmark: a watch over the screen of an X server that tells when a newly
// started program first painted its window. The server's root should be black (see
// lpr::test::PrivateDisplay), so that a window shows as painted only once its client has drawn
// into it. Xlib stays inside the .cpp: its macros would clash with the framework's names.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace bench {

// Watches the whole screen through the DAMAGE extension. A program's first paint is the first
// drawing after which one of the top-level windows mapped since Arm() shows more than one colour.
class FirstPaintWatch {
 public:
  using Clock = std::chrono::steady_clock;

  explicit FirstPaintWatch(const std::string& display);
  ~FirstPaintWatch();
  FirstPaintWatch(const FirstPaintWatch&) = delete;
  FirstPaintWatch& operator=(const FirstPaintWatch&) = delete;

  // False when the display or its DAMAGE extension cannot be had.
  bool Ready() const;
  // Lets the screen settle and forgets the windows seen so far (those of the last program).
  void Arm();
  // When the first paint after Arm() was seen; nullopt when none came within `limit`.
  std::optional<Clock::time_point> WaitForFirstPaint(std::chrono::milliseconds limit);
  // Width and height of the window whose paint was seen last.
  std::pair<int, int> LastSize() const;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace bench
