#pragma once
// Every wait and every sleep of the system goes through the current Clock, so that tests can run
// long waits (reboots, polls, timers) on virtual time.

#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/os/LocalTime.h"

namespace os {

using Milliseconds = std::chrono::milliseconds;

class Clock {
 public:
  // Monotonic time since an arbitrary start.
  using Duration = std::chrono::milliseconds;

  virtual ~Clock() = default;
  virtual Duration Now() const = 0;
  virtual LocalTime LocalNow() const = 0;
  virtual void SleepFor(Milliseconds duration) = 0;
  // Waits on `cv` (with `lock` held on entry and exit) until `ready()` or until `timeout` of this
  // clock's time has passed. Returns ready(). Spurious wake-ups are handled here.
  virtual bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Milliseconds timeout,
                       const std::function<bool()>& ready) = 0;
};

// The real clock: steady time, the system's local time, real sleeps.
class RealClock final : public Clock {
 public:
  Duration Now() const override;
  LocalTime LocalNow() const override;
  void SleepFor(Milliseconds duration) override;
  bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Milliseconds timeout,
               const std::function<bool()>& ready) override;
};

// Time that moves only when a test says so. Sleepers and timed waiters wake when Advance() passes
// their deadline; waits whose condition becomes true wake at once, as with the real clock.
// Now() starts at 0; LocalNow() is `start` plus the time advanced (plain calendar arithmetic).
// Advance() releases the expired waiters one at a time, earliest deadline first, and returns once
// each of them has left its wait. So do not hold a mutex that a timed waiter needs while advancing:
// that waiter cannot leave, and Advance moves on only after a real-time grace period.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(const LocalTime& start = LocalTime{2026, 1, 1, 8, 0, 0, 0, 4});
  ~VirtualClock() override;

  Duration Now() const override;
  LocalTime LocalNow() const override;
  void SleepFor(Milliseconds duration) override;
  bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Milliseconds timeout,
               const std::function<bool()>& ready) override;

  void Advance(Milliseconds duration);
  // Number of threads now blocked in SleepFor or a timed WaitFor of this clock.
  int Sleepers() const;
  // Blocks (in real time, up to `realTimeout`) until at least `count` threads sleep on this clock.
  bool WaitForSleepers(int count, std::chrono::milliseconds realTimeout = std::chrono::seconds(10)) const;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

// The clock in use; the real clock unless a test installed another.
Clock& CurrentClock();
// Installs a clock for the whole process (nullptr restores the real clock). Tests only, before
// the threads that use it start.
void SetClock(Clock* clock);

// Shorthands on the current clock.
void Sleep(Milliseconds duration);
std::uint64_t TickCountMs();

}  // namespace os
