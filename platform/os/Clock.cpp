#include "platform/os/Clock.h"

#include <algorithm>
#include <atomic>
#include <ctime>
#include <thread>

namespace os {
namespace {

// Far enough to mean "never", near enough that steady_clock arithmetic in nanoseconds cannot overflow.
constexpr Milliseconds kLongestRealWait = std::chrono::hours(24 * 365 * 100);

std::atomic<Clock*> g_clock{nullptr};

Milliseconds ClampedWait(Milliseconds duration) {
  return std::clamp(duration, Milliseconds::zero(), kLongestRealWait);
}

}  // namespace

Clock::Duration RealClock::Now() const {
  return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now().time_since_epoch());
}

LocalTime RealClock::LocalNow() const {
  const auto now = std::chrono::system_clock::now();
  const auto sinceEpoch = std::chrono::duration_cast<Milliseconds>(now.time_since_epoch());
  const std::time_t seconds = static_cast<std::time_t>(sinceEpoch.count() / 1000);
  std::tm fields{};
  localtime_r(&seconds, &fields);
  return LocalTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                   fields.tm_hour,        fields.tm_min,     fields.tm_sec,
                   static_cast<int>(sinceEpoch.count() % 1000), fields.tm_wday};
}

void RealClock::SleepFor(Milliseconds duration) {
  if (duration > Milliseconds::zero()) std::this_thread::sleep_for(ClampedWait(duration));
}

bool RealClock::WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Milliseconds timeout,
                        const std::function<bool()>& ready) {
  const auto deadline = std::chrono::steady_clock::now() + ClampedWait(timeout);
  return cv.wait_until(lock, deadline, ready);
}

Clock& CurrentClock() {
  // Never destroyed: detached threads may still sleep while the process exits.
  static RealClock* realClock = new RealClock;
  Clock* installed = g_clock.load(std::memory_order_acquire);
  return installed != nullptr ? *installed : *realClock;
}

void SetClock(Clock* clock) { g_clock.store(clock, std::memory_order_release); }

void Sleep(Milliseconds duration) { CurrentClock().SleepFor(duration); }

std::uint64_t TickCountMs() { return static_cast<std::uint64_t>(CurrentClock().Now().count()); }

}  // namespace os
