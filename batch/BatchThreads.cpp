#include "batch/BatchThreads.h"

#include <algorithm>
#include <condition_variable>
#include <iterator>
#include <system_error>

BatchThreads::~BatchThreads() { JoinAll(); }

void BatchThreads::Start(std::function<void()> work) {
  // Threads that ended are joined outside the lock: the window and search threads start threads
  // here, and must not wait for another thread's end while every other caller waits for them.
  for (const std::shared_ptr<Entry>& finished : TakeFinished()) finished->thread.join();
  auto entry = std::make_shared<Entry>();
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_failStarts) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  entry->thread = std::thread([this, entry, work = std::move(work)] {
    try {
      work();
    } catch (...) {
      // A worker's failure is its row's word; nothing leaves the thread.
    }
    std::lock_guard<std::mutex> done(m_mutex);
    --m_running;
    entry->done = true;
  });
  ++m_running;
  m_peak = std::max(m_peak, m_running);
  m_entries.push_back(std::move(entry));
}

std::list<std::shared_ptr<BatchThreads::Entry>> BatchThreads::TakeFinished() {
  std::list<std::shared_ptr<Entry>> finished;
  std::lock_guard<std::mutex> lock(m_mutex);
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    const auto next = std::next(it);
    if ((*it)->done) finished.splice(finished.end(), m_entries, it);
    it = next;
  }
  return finished;
}

void BatchThreads::SetStartsFailForTesting(bool fail) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_failStarts = fail;
}

void BatchThreads::JoinAll() {
  for (;;) {
    std::list<std::shared_ptr<Entry>> entries;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      entries.swap(m_entries);
    }
    if (entries.empty()) return;
    for (const auto& entry : entries) entry->thread.join();
  }
}

void BatchThreads::Pause(os::Milliseconds duration) {
  os::Clock& clock = os::CurrentClock();
  const os::Clock::Duration end = clock.Now() + duration;
  std::multiset<os::Clock::Duration>::iterator entry;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    entry = m_pauseEnds.insert(end);
  }
  // The pause ends at the time it was counted with, however late the wait begins: a wait of
  // `duration` from a later moment would outlast its count.
  std::mutex mutex;
  std::condition_variable never;
  std::unique_lock<std::mutex> waitLock(mutex);
  clock.WaitFor(never, waitLock, duration, [&] { return clock.Now() >= end; });
  waitLock.unlock();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pauseEnds.erase(entry);
}

int BatchThreads::Running() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_running;
}

int BatchThreads::Paused() const {
  const os::Clock::Duration now = os::CurrentClock().Now();
  std::lock_guard<std::mutex> lock(m_mutex);
  // A pause whose end has come is over, even before its thread has woken.
  return static_cast<int>(std::distance(m_pauseEnds.upper_bound(now), m_pauseEnds.end()));
}

int BatchThreads::Peak() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_peak;
}

void BatchThreads::ResetPeak() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_peak = m_running;
}

BatchThreads& GetBatchThreads() {
  static BatchThreads* const threads = new BatchThreads;
  return *threads;
}
