#pragma once
// Timed tasks of the simulated cameras (reboot downtime, update progress, plate periods), on a
// replaceable clock so tests can run them on virtual time.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/os/Clock.h"

namespace camsim {

class Scheduler {
 public:
  using Task = std::function<void()>;
  using TaskId = std::uint64_t;
  using TimePoint = os::Clock::Duration;

  explicit Scheduler(os::Clock& clock);
  ~Scheduler();
  Scheduler(const Scheduler&) = delete;
  Scheduler& operator=(const Scheduler&) = delete;

  os::Clock& Clock() const { return m_clock; }
  TimePoint Now() const { return m_clock.Now(); }

  // Runs `task` on the scheduler's thread once the clock reaches `deadline`. Tasks due at the same
  // time run in the order they were added.
  TaskId At(TimePoint deadline, Task task);
  TaskId After(os::Milliseconds delay, Task task) { return At(Now() + delay, std::move(task)); }
  // A task that has not started yet will not run. A task running now finishes.
  void Cancel(TaskId id);

  // Blocks (in real time, up to `realTimeout`) until no task is due and none is running.
  bool WaitIdle(std::chrono::milliseconds realTimeout = std::chrono::seconds(10));

  // Ends the thread; tasks not yet run are dropped. Called by the destructor.
  void Stop();

 private:
  struct Key {
    TimePoint deadline;
    TaskId id;
    bool operator<(const Key& other) const {
      return deadline != other.deadline ? deadline < other.deadline : id < other.id;
    }
  };

  void Run();
  bool HasDueTask() const;

  os::Clock& m_clock;
  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_idle;
  std::map<Key, Task> m_tasks;
  TaskId m_nextId = 1;
  bool m_running = false;
  bool m_changed = false;
  bool m_stopping = false;
  std::thread m_thread;
};

}  // namespace camsim
