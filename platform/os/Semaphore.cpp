#include "platform/os/Semaphore.h"

#include <algorithm>

namespace os {

Semaphore::Semaphore(int initialCount, int maximumCount)
    : m_count(std::clamp(initialCount, 0, std::max(maximumCount, 0))), m_maximum(std::max(maximumCount, 0)) {}

void Semaphore::Acquire() {
  std::unique_lock lock(m_mutex);
  m_cv.wait(lock, [this] { return m_count > 0; });
  --m_count;
}

bool Semaphore::TryAcquire() {
  std::lock_guard lock(m_mutex);
  if (m_count == 0) return false;
  --m_count;
  return true;
}

bool Semaphore::Acquire(Milliseconds timeout) {
  std::unique_lock lock(m_mutex);
  if (!CurrentClock().WaitFor(m_cv, lock, timeout, [this] { return m_count > 0; })) return false;
  --m_count;
  return true;
}

bool Semaphore::Release(int count) {
  {
    std::lock_guard lock(m_mutex);
    if (count <= 0 || count > m_maximum - m_count) return false;
    m_count += count;
  }
  if (count == 1) {
    m_cv.notify_one();
  } else {
    m_cv.notify_all();
  }
  return true;
}

int Semaphore::Available() const {
  std::lock_guard lock(m_mutex);
  return m_count;
}

}  // namespace os
