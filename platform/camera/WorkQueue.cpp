#include "platform/camera/WorkQueue.h"

namespace camera {

bool WorkQueue::Post(std::function<void()> task) {
  std::lock_guard threadLock(m_threadMutex);
  {
    std::lock_guard lock(m_state->mutex);
    if (m_state->stopping || m_state->tasks.size() >= m_state->maxTasks) return false;
    m_state->tasks.push_back(std::move(task));
  }
  if (!m_thread.joinable()) {
    m_thread = std::thread([state = m_state] { Run(state); });
  }
  m_state->wake.notify_one();
  return true;
}

void WorkQueue::Stop() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(m_state->mutex);
    m_state->stopping = true;
    dropped.swap(m_state->tasks);
  }
  m_state->wake.notify_all();
  std::thread thread;
  {
    std::lock_guard threadLock(m_threadMutex);
    thread.swap(m_thread);
  }
  if (!thread.joinable()) return;
  if (thread.get_id() == std::this_thread::get_id()) {
    thread.detach();
  } else {
    thread.join();
  }
}

void WorkQueue::Run(const std::shared_ptr<State>& state) {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(state->mutex);
      state->wake.wait(lock, [&] { return state->stopping || !state->tasks.empty(); });
      if (state->stopping) return;
      task = std::move(state->tasks.front());
      state->tasks.pop_front();
    }
    task();
  }
}

}  // namespace camera
