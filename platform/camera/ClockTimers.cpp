#include "platform/camera/ClockTimers.h"

#include <algorithm>

namespace camera {

ClockTimers::TaskId ClockTimers::After(os::Milliseconds delay, std::function<void()> task) {
  TaskId id = 0;
  {
    std::lock_guard lock(m_mutex);
    id = ++m_lastId;
    m_tasks.emplace(Due{os::CurrentClock().Now() + delay, id}, std::move(task));
    if (!m_thread.joinable()) {
      m_stopping = false;
      m_thread = std::thread([this] { Run(); });
    }
  }
  m_changed.notify_all();
  return id;
}

void ClockTimers::Cancel(TaskId id) {
  std::function<void()> dropped;
  std::unique_lock lock(m_mutex);
  const auto it = std::find_if(m_tasks.begin(), m_tasks.end(), [&](const auto& task) { return task.first.second == id; });
  if (it == m_tasks.end()) return;
  dropped = std::move(it->second);
  m_tasks.erase(it);
  m_changed.notify_all();
  m_changed.wait(lock, [&] { return !m_onClock || !m_tasks.empty(); });
}

void ClockTimers::Stop() {
  std::map<Due, std::function<void()>> dropped;
  std::thread thread;
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    dropped.swap(m_tasks);
    thread.swap(m_thread);
  }
  m_changed.notify_all();
  if (thread.joinable()) thread.join();
}

void ClockTimers::Run() {
  std::unique_lock lock(m_mutex);
  while (!m_stopping) {
    if (m_tasks.empty()) {
      m_changed.wait(lock, [&] { return m_stopping || !m_tasks.empty(); });
      continue;
    }
    const Due first = m_tasks.begin()->first;
    const os::Clock::Duration now = os::CurrentClock().Now();
    if (first.first > now) {
      m_onClock = true;
      os::CurrentClock().WaitFor(m_changed, lock, first.first - now,
                                 [&] { return m_stopping || m_tasks.empty() || m_tasks.begin()->first < first; });
      m_onClock = false;
      m_changed.notify_all();
      continue;
    }
    std::function<void()> task = std::move(m_tasks.begin()->second);
    m_tasks.erase(m_tasks.begin());
    lock.unlock();
    task();
    task = nullptr;
    lock.lock();
  }
}

}  // namespace camera
