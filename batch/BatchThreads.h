#pragma once
// Every thread the batch program starts (device threads, import and update workers) is started
// here, so that the program can wait for all of them before it ends, and so that its figures
// (how many run, how many pause, the most that ran at once) can be read.

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "platform/os/Clock.h"

class BatchThreads {
 public:
  BatchThreads() = default;
  ~BatchThreads();
  BatchThreads(const BatchThreads&) = delete;
  BatchThreads& operator=(const BatchThreads&) = delete;

  // Runs `work` on a new thread. An exception it lets out ends only that thread. Throws
  // std::system_error, as std::thread does, when no thread can be started.
  void Start(std::function<void()> work);
  // Waits until every thread started so far, and every thread they start, has ended.
  // Not to be called from one of those threads.
  void JoinAll();

  // A worker's pause, on the current clock.
  void Pause(os::Milliseconds duration);

  int Running() const;
  // Threads in a pause that has not run out yet on the clock.
  int Paused() const;
  int Peak() const;
  void ResetPeak();

  // Tests: while set, Start fails as it does when the system gives no more threads.
  void SetStartsFailForTesting(bool fail);

 private:
  struct Entry {
    std::thread thread;
    bool done = false;
  };
  // The entries of threads that have ended, taken out of the list.
  std::list<std::shared_ptr<Entry>> TakeFinished();

  mutable std::mutex m_mutex;
  std::list<std::shared_ptr<Entry>> m_entries;
  int m_running = 0;
  std::multiset<os::Clock::Duration> m_pauseEnds;
  int m_peak = 0;
  bool m_failStarts = false;
};

// The program's threads, created on first use and never destroyed.
BatchThreads& GetBatchThreads();
