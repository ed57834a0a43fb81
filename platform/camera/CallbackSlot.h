#pragma once
// One registered callback with its user pointer, and the stop guarantee callers rely on: once
// Set() returns, the callback it replaced neither runs nor starts. A Set() made from inside
// the callback itself does not wait for its own call.

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace camera {

template <typename Function>
class CallbackSlot {
 public:
  void Set(Function function, void* user) {
    std::unique_lock lock(m_mutex);
    m_function = function;
    m_user = user;
    const auto self = std::this_thread::get_id();
    m_idle.wait(lock, [&] {
      return std::all_of(m_running.begin(), m_running.end(), [&](std::thread::id id) { return id == self; });
    });
  }

  bool IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_function != nullptr;
  }

  // Calls `invoke(function, user)` when a callback is registered. False when none is.
  template <typename Invoke>
  bool Call(Invoke&& invoke) {
    Function function;
    void* user;
    {
      std::lock_guard lock(m_mutex);
      if (m_function == nullptr) return false;
      function = m_function;
      user = m_user;
      m_running.push_back(std::this_thread::get_id());
    }
    invoke(function, user);
    {
      std::lock_guard lock(m_mutex);
      m_running.erase(std::find(m_running.begin(), m_running.end(), std::this_thread::get_id()));
    }
    m_idle.notify_all();
    return true;
  }

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_idle;
  Function m_function = nullptr;
  void* m_user = nullptr;
  std::vector<std::thread::id> m_running;
};

}  // namespace camera
