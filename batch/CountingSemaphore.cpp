#include "batch/CountingSemaphore.h"

#include <algorithm>

CountingSemaphore::CountingSemaphore(int permits) : m_count(permits) {}

void CountingSemaphore::Acquire() {
  std::unique_lock<std::mutex> lock(m_mutex);
  ++m_waiters;
  m_cv.wait(lock, [this] { return m_count > 0; });
  --m_waiters;
  --m_count;
}

void CountingSemaphore::Release() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_count;
  }
  m_cv.notify_one();
}

int CountingSemaphore::Available() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_count;
}

int CountingSemaphore::Waiters() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  // A waiter that a released permit is free for is about to go on.
  return std::max(0, m_waiters - m_count);
}

// Never destroyed: a worker may still release its permit while the program ends.
CountingSemaphore& DiscoverySlots() {
  static CountingSemaphore* const slots = new CountingSemaphore(2);
  return *slots;
}

CountingSemaphore& ImportSlots() {
  static CountingSemaphore* const slots = new CountingSemaphore(3);
  return *slots;
}

CountingSemaphore& UpdateSlots() {
  static CountingSemaphore* const slots = new CountingSemaphore(3);
  return *slots;
}

CountingSemaphore& SelfUpdateSlots() {
  static CountingSemaphore* const slots = new CountingSemaphore(3);
  return *slots;
}
