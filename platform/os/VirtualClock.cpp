#include <algorithm>
#include <cstdint>
#include <ctime>
#include <vector>

#include "platform/os/Clock.h"

namespace os {
namespace {

// A timed WaitFor waits on the caller's condition variable, which only the caller's own code
// notifies. Advance cannot notify it safely (the variable may be gone by the time Advance gets to it,
// and locking the caller's mutex from Advance invites lock-order deadlocks), so such a waiter polls
// the clock in short real slices. A condition that turns true still wakes it at once.
constexpr auto kPollSlice = std::chrono::milliseconds(1);

// How long Advance waits, in real time, for one expired waiter to leave its wait before it moves on.
// A waiter only fails to leave in time when its mutex is held elsewhere, for example by the advancing thread.
constexpr auto kLeaveTimeout = std::chrono::seconds(2);

Clock::Duration SaturatingAdd(Clock::Duration base, Milliseconds delta) {
  if (delta <= Milliseconds::zero()) return base;
  if (delta > Clock::Duration::max() - base) return Clock::Duration::max();
  return base + delta;
}

}  // namespace

// Waiters are released one at a time, earliest deadline first (then in the order they started
// waiting), and Advance waits until each released waiter has left its wait before releasing the next.
// So sleepers return in deadline order, and when Advance returns every expired waiter has returned.
struct VirtualClock::State {
  struct Waiter {
    std::uint64_t id;
    Duration deadline;
    bool released = false;
  };

  mutable std::mutex mutex;
  // Notified whenever a waiter comes, goes or is released, and when time moves.
  mutable std::condition_variable changed;
  Duration now{0};
  std::int64_t startEpochMs = 0;
  std::vector<Waiter*> waiters;
  std::uint64_t nextId = 1;

  void Register(Waiter& waiter) {
    waiters.push_back(&waiter);
    changed.notify_all();
  }

  void Unregister(const Waiter& waiter) {
    std::erase(waiters, &waiter);
    changed.notify_all();
  }

  bool IsRegistered(std::uint64_t id) const {
    return std::any_of(waiters.begin(), waiters.end(), [id](const Waiter* w) { return w->id == id; });
  }

  int Sleeping() const {
    return static_cast<int>(std::count_if(waiters.begin(), waiters.end(), [](const Waiter* w) { return !w->released; }));
  }

  Waiter* EarliestExpired() const {
    Waiter* earliest = nullptr;
    for (Waiter* w : waiters) {
      if (w->released || w->deadline > now) continue;
      if (earliest == nullptr || w->deadline < earliest->deadline ||
          (w->deadline == earliest->deadline && w->id < earliest->id)) {
        earliest = w;
      }
    }
    return earliest;
  }
};

VirtualClock::VirtualClock(const LocalTime& start) : m_state(std::make_unique<State>()) {
  // Local time is kept as plain calendar arithmetic (no time zone, no daylight saving).
  std::tm fields{};
  fields.tm_year = start.year - 1900;
  fields.tm_mon = start.month - 1;
  fields.tm_mday = start.day;
  fields.tm_hour = start.hour;
  fields.tm_min = start.minute;
  fields.tm_sec = start.second;
  m_state->startEpochMs = static_cast<std::int64_t>(timegm(&fields)) * 1000 + start.millisecond;
}

VirtualClock::~VirtualClock() = default;

Clock::Duration VirtualClock::Now() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->now;
}

LocalTime VirtualClock::LocalNow() const {
  const std::int64_t epochMs = m_state->startEpochMs + Now().count();
  const std::time_t seconds = static_cast<std::time_t>(epochMs / 1000);
  std::tm fields{};
  gmtime_r(&seconds, &fields);
  return LocalTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                   fields.tm_hour,        fields.tm_min,     fields.tm_sec,
                   static_cast<int>(epochMs % 1000), fields.tm_wday};
}

void VirtualClock::SleepFor(Milliseconds duration) {
  if (duration <= Milliseconds::zero()) return;
  State& state = *m_state;
  std::unique_lock lock(state.mutex);
  State::Waiter waiter{state.nextId++, SaturatingAdd(state.now, duration)};
  state.Register(waiter);
  state.changed.wait(lock, [&waiter] { return waiter.released; });
  state.Unregister(waiter);
}

bool VirtualClock::WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Milliseconds timeout,
                           const std::function<bool()>& ready) {
  if (ready()) return true;
  if (timeout <= Milliseconds::zero()) return false;
  State& state = *m_state;
  State::Waiter waiter{0, {}};
  {
    std::lock_guard stateLock(state.mutex);
    waiter.id = state.nextId++;
    waiter.deadline = SaturatingAdd(state.now, timeout);
    state.Register(waiter);
  }
  bool isReady = false;
  for (;;) {
    cv.wait_for(lock, kPollSlice);
    isReady = ready();
    std::lock_guard stateLock(state.mutex);
    if (isReady || waiter.released) {
      state.Unregister(waiter);
      break;
    }
  }
  return isReady;
}

void VirtualClock::Advance(Milliseconds duration) {
  State& state = *m_state;
  std::unique_lock lock(state.mutex);
  state.now = SaturatingAdd(state.now, duration);
  state.changed.notify_all();
  while (State::Waiter* waiter = state.EarliestExpired()) {
    waiter->released = true;
    const std::uint64_t id = waiter->id;
    state.changed.notify_all();
    state.changed.wait_for(lock, kLeaveTimeout, [&state, id] { return !state.IsRegistered(id); });
  }
}

int VirtualClock::Sleepers() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->Sleeping();
}

bool VirtualClock::WaitForSleepers(int count, std::chrono::milliseconds realTimeout) const {
  std::unique_lock lock(m_state->mutex);
  return m_state->changed.wait_for(lock, realTimeout, [this, count] { return m_state->Sleeping() >= count; });
}

}  // namespace os
