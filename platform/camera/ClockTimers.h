#pragma once
// Tasks due at times of os::Clock (a test's virtual clock moves them), run on one thread that starts
// with the first task and ends with Stop. A task must be short: it runs on that thread. While no
// task waits, the thread waits on no clock, so a clock may go away once its users have cancelled
// their tasks.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/os/Clock.h"

namespace camera {

class ClockTimers {
 public:
  using TaskId = std::uint64_t;

  ClockTimers() = default;
  ~ClockTimers() { Stop(); }
  ClockTimers(const ClockTimers&) = delete;
  ClockTimers& operator=(const ClockTimers&) = delete;

  TaskId After(os::Milliseconds delay, std::function<void()> task);
  // Drops the task unless it has started. Once it returns, the thread waits on no clock when no
  // other task waits.
  void Cancel(TaskId id);
  // Drops the tasks not yet due and ends the thread.
  void Stop();

 private:
  using Due = std::pair<os::Clock::Duration, TaskId>;  // earliest first, then in order of coming

  void Run();

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::map<Due, std::function<void()>> m_tasks;
  TaskId m_lastId = 0;
  bool m_onClock = false;  // the thread waits on the clock for the first task
  bool m_stopping = false;
  std::thread m_thread;
};

}  // namespace camera
