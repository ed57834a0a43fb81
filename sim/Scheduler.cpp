#include "sim/Scheduler.h"

#include <algorithm>

namespace camsim {
namespace {

// With nothing queued the thread still wakes now and then; any new task wakes it at once.
constexpr os::Milliseconds kIdleWait{60'000};

}  // namespace

Scheduler::Scheduler(os::Clock& clock) : m_clock(clock), m_thread([this] { Run(); }) {}

Scheduler::~Scheduler() { Stop(); }

Scheduler::TaskId Scheduler::At(TimePoint deadline, Task task) {
  std::lock_guard lock(m_mutex);
  const TaskId id = m_nextId++;
  if (m_stopping) return id;
  m_tasks.emplace(Key{deadline, id}, std::move(task));
  m_changed = true;
  m_wake.notify_all();
  return id;
}

void Scheduler::Cancel(TaskId id) {
  std::lock_guard lock(m_mutex);
  std::erase_if(m_tasks, [id](const auto& entry) { return entry.first.id == id; });
  m_idle.notify_all();
}

bool Scheduler::HasDueTask() const {
  return !m_tasks.empty() && m_tasks.begin()->first.deadline <= m_clock.Now();
}

bool Scheduler::WaitIdle(std::chrono::milliseconds realTimeout) {
  std::unique_lock lock(m_mutex);
  return m_idle.wait_for(lock, realTimeout, [this] { return m_stopping || (!m_running && !HasDueTask()); });
}

void Scheduler::Stop() {
  {
    std::lock_guard lock(m_mutex);
    if (m_stopping && !m_thread.joinable()) return;
    m_stopping = true;
    m_tasks.clear();
    m_wake.notify_all();
    m_idle.notify_all();
  }
  if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

void Scheduler::Run() {
  std::unique_lock lock(m_mutex);
  while (!m_stopping) {
    if (HasDueTask()) {
      auto due = m_tasks.begin();
      Task task = std::move(due->second);
      m_tasks.erase(due);
      m_running = true;
      lock.unlock();
      task();
      task = nullptr;
      lock.lock();
      m_running = false;
      continue;
    }
    m_idle.notify_all();
    const TimePoint now = m_clock.Now();
    const os::Milliseconds wait =
        m_tasks.empty() ? kIdleWait : std::min(kIdleWait, m_tasks.begin()->first.deadline - now);
    m_changed = false;
    m_clock.WaitFor(m_wake, lock, wait, [this] { return m_stopping || m_changed; });
  }
  m_idle.notify_all();
}

}  // namespace camsim
