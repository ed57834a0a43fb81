#pragma once
// The threads that run the library's callbacks, shared by every handle (each handle's callbacks go
// through a WorkQueue, which keeps their order). A thread is added whenever a job waits and no
// thread is free, up to a bound, so a callback that blocks holds up only its own queue, not the
// others. Threads stay until Stop.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace camera {

class DeliveryPool {
 public:
  // The library's pool (never destroyed, so that no thread is joined at exit).
  static DeliveryPool& Shared();

  explicit DeliveryPool(std::size_t maxThreads);
  ~DeliveryPool() { Stop(); }
  DeliveryPool(const DeliveryPool&) = delete;
  DeliveryPool& operator=(const DeliveryPool&) = delete;

  // Runs `job` on a pool thread; jobs start in the order they were submitted.
  void Submit(std::function<void()> job);
  // Ends every thread, after the job it runs (the caller's own thread ends once its job returns).
  // Jobs still waiting run on the threads that the next Submit starts.
  void Stop();
  std::size_t Threads() const;

 private:
  struct State {
    explicit State(std::size_t max) : maxThreads(max) {}
    const std::size_t maxThreads;
    mutable std::mutex mutex;
    std::condition_variable work;
    std::deque<std::function<void()>> jobs;
    std::map<std::thread::id, std::thread> threads;
    std::size_t idle = 0;
  };
  static void Run(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
};

}  // namespace camera
