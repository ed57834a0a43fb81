#pragma once
// A one-way gate for tests: threads wait until another opens it.

#include <condition_variable>
#include <mutex>

namespace camera::test {

class Latch {
 public:
  void Open() {
    std::lock_guard lock(m_mutex);
    m_open = true;
    m_changed.notify_all();
  }
  void Wait() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_open; });
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_open = false;
};

}  // namespace camera::test
