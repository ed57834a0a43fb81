#include "platform/os/ManualResetEvent.h"

namespace os {

ManualResetEvent::ManualResetEvent(bool initiallySet) : m_set(initiallySet) {}

void ManualResetEvent::Set() {
  {
    std::lock_guard lock(m_mutex);
    m_set = true;
  }
  m_cv.notify_all();
}

void ManualResetEvent::Reset() {
  std::lock_guard lock(m_mutex);
  m_set = false;
}

bool ManualResetEvent::IsSet() const {
  std::lock_guard lock(m_mutex);
  return m_set;
}

bool ManualResetEvent::Wait(Milliseconds timeout) {
  std::unique_lock lock(m_mutex);
  return CurrentClock().WaitFor(m_cv, lock, timeout, [this] { return m_set; });
}

void ManualResetEvent::Wait() {
  std::unique_lock lock(m_mutex);
  m_cv.wait(lock, [this] { return m_set; });
}

}  // namespace os
