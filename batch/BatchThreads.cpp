#include "batch/BatchThreads.h"

#include <algorithm>
#include <iterator>

BatchThreads::~BatchThreads() { JoinAll(); }

void BatchThreads::Start(std::function<void()> work) {
  std::lock_guard<std::mutex> lock(m_mutex);
  JoinFinishedLocked();
  auto entry = std::make_shared<Entry>();
  ++m_running;
  m_peak = std::max(m_peak, m_running);
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
  m_entries.push_back(std::move(entry));
}

void BatchThreads::JoinFinishedLocked() {
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    if ((*it)->done) {
      (*it)->thread.join();
      it = m_entries.erase(it);
    } else {
      ++it;
    }
  }
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
  std::multiset<os::Clock::Duration>::iterator end;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    end = m_pauseEnds.insert(os::CurrentClock().Now() + duration);
  }
  os::Sleep(duration);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pauseEnds.erase(end);
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
