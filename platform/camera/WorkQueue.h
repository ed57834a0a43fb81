#pragma once
// A thread that runs posted tasks in order (the callbacks of one handle). Its state is shared
// with the thread, so Stop() may be called from one of its own tasks: the thread then finishes
// that task and ends on its own.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace camera {

class WorkQueue {
 public:
  explicit WorkQueue(std::size_t maxTasks) : m_state(std::make_shared<State>(maxTasks)) {}
  ~WorkQueue() { Stop(); }
  WorkQueue(const WorkQueue&) = delete;
  WorkQueue& operator=(const WorkQueue&) = delete;

  // Queues a task, starting the thread on first use. False when stopped or full (the task is dropped).
  bool Post(std::function<void()> task);
  // Drops queued tasks and ends the thread; waits for a running task unless called from it.
  void Stop();

 private:
  struct State {
    explicit State(std::size_t max) : maxTasks(max) {}
    const std::size_t maxTasks;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> tasks;
    bool stopping = false;
  };
  static void Run(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
  std::mutex m_threadMutex;
  std::thread m_thread;
};

}  // namespace camera
