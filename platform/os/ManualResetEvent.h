#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/os/Clock.h"

namespace os {

// A manual-reset event: once set, every wait returns at once until Reset.
class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool initiallySet = false);
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // Waits until set; false when `timeout` (on the current clock) passed first.
  bool Wait(Milliseconds timeout);
  void Wait();

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_set;
};

}  // namespace os
