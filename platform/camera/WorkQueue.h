#pragma once
// Runs posted tasks one at a time, in order (the callbacks of one handle), on the threads of a
// DeliveryPool. Stop() may be called from one of its own tasks: that task then finishes, and
// nothing of the queue runs after it.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/camera/DeliveryPool.h"

namespace camera {

class WorkQueue {
 public:
  explicit WorkQueue(std::size_t maxTasks, DeliveryPool& pool = DeliveryPool::Shared())
      : m_state(std::make_shared<State>(pool, maxTasks)) {}
  ~WorkQueue() { Stop(); }
  WorkQueue(const WorkQueue&) = delete;
  WorkQueue& operator=(const WorkQueue&) = delete;

  // Queues a task. False when stopped or full (the task is dropped).
  bool Post(std::function<void()> task);
  // Drops queued tasks; waits for a running task unless called from it.
  void Stop();

 private:
  struct State {
    State(DeliveryPool& p, std::size_t max) : pool(p), maxTasks(max) {}
    DeliveryPool& pool;
    const std::size_t maxTasks;
    std::mutex mutex;
    std::condition_variable idle;
    std::deque<std::function<void()>> tasks;
    bool scheduled = false;  // a job of this queue waits or runs in the pool
    std::optional<std::thread::id> running;
    bool stopping = false;
  };
  // One task, then the queue goes to the back of the pool's line again (fair to the other queues).
  static void RunNext(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
};

}  // namespace camera
