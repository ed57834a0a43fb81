#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/os/Clock.h"

namespace os {

// A counting semaphore with a maximum count, waits on the current clock.
class Semaphore {
 public:
  Semaphore(int initialCount, int maximumCount);
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;

  void Acquire();
  bool TryAcquire();
  // False when `timeout` passed without a permit.
  bool Acquire(Milliseconds timeout);
  // Returns false (and changes nothing) when the count would exceed the maximum.
  bool Release(int count = 1);
  int Available() const;

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_cv;
  int m_count;
  const int m_maximum;
};

}  // namespace os
