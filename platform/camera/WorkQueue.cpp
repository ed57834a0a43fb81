#include "platform/camera/WorkQueue.h"

namespace camera {

bool WorkQueue::Post(std::function<void()> task) {
  {
    std::lock_guard lock(m_state->mutex);
    if (m_state->stopping || m_state->tasks.size() >= m_state->maxTasks) return false;
    m_state->tasks.push_back(std::move(task));
    if (m_state->scheduled) return true;
    m_state->scheduled = true;
  }
  m_state->pool.Submit([state = m_state] { RunNext(state); });
  return true;
}

void WorkQueue::Stop() {
  std::deque<std::function<void()>> dropped;
  std::unique_lock lock(m_state->mutex);
  m_state->stopping = true;
  dropped.swap(m_state->tasks);
  const auto self = std::this_thread::get_id();
  m_state->idle.wait(lock, [&] { return !m_state->running || *m_state->running == self; });
  lock.unlock();
  // The dropped tasks are released outside the lock: what they hold may own this queue.
}

void WorkQueue::RunNext(const std::shared_ptr<State>& state) {
  std::function<void()> task;
  {
    std::lock_guard lock(state->mutex);
    if (state->stopping || state->tasks.empty()) {
      state->scheduled = false;
      return;
    }
    task = std::move(state->tasks.front());
    state->tasks.pop_front();
    state->running = std::this_thread::get_id();
  }
  task();
  task = nullptr;
  {
    std::lock_guard lock(state->mutex);
    state->running.reset();
    state->idle.notify_all();
    if (state->stopping || state->tasks.empty()) {
      state->scheduled = false;
      return;
    }
  }
  state->pool.Submit([state] { RunNext(state); });
}

}  // namespace camera
