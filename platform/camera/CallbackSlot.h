#pragma once
// One registered callback with its user pointer, and the stop guarantee callers rely on: once
// Set() returns, the callback it replaced neither runs nor starts. A Set() made from inside
// the callback itself does not wait for its own call.
// Each Set() starts a new generation: work queued under an earlier one can be dropped with CallIf.

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace camera {

template <typename Function>
class CallbackSlot {
 public:
  void Set(Function function, void* user) {
    std::unique_lock lock(m_mutex);
    m_function = function;
    m_user = user;
    ++m_generation;
    const auto self = std::this_thread::get_id();
    m_idle.wait(lock, [&] {
      return std::all_of(m_running.begin(), m_running.end(), [&](std::thread::id id) { return id == self; });
    });
  }

  bool IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_function != nullptr;
  }

  // The generation of the registration in force now.
  std::uint64_t Generation() const {
    std::lock_guard lock(m_mutex);
    return m_generation;
  }

  // Calls `invoke(function, user)` when a callback is registered. False when none is.
  template <typename Invoke>
  bool Call(Invoke&& invoke) {
    return CallIf(std::nullopt, std::forward<Invoke>(invoke));
  }

  // As Call, but only while the registration is still that of `generation` (any, when unset).
  template <typename Invoke>
  bool CallIf(std::optional<std::uint64_t> generation, Invoke&& invoke) {
    Function function;
    void* user;
    {
      std::lock_guard lock(m_mutex);
      if (m_function == nullptr || (generation && *generation != m_generation)) return false;
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
  std::uint64_t m_generation = 0;
  std::vector<std::thread::id> m_running;
};

}  // namespace camera
