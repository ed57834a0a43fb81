#pragma once
// CountingSemaphore: bounds how many workers of one kind run at once. Acquire blocks while no
// permit is free; Release hands one back and wakes one waiter.

#include <condition_variable>
#include <mutex>

class CountingSemaphore {
 public:
  explicit CountingSemaphore(int permits);
  CountingSemaphore(const CountingSemaphore&) = delete;
  CountingSemaphore& operator=(const CountingSemaphore&) = delete;

  void Acquire();
  void Release();
  int Available() const;
  // Threads in Acquire that no free permit is left for.
  int Waiters() const;

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_cv;
  int m_count;
  int m_waiters = 0;
};

// Holds one permit for its lifetime, so that every way out of a worker returns it.
class SlotPermit {
 public:
  explicit SlotPermit(CountingSemaphore& slots) : m_slots(slots) { m_slots.Acquire(); }
  ~SlotPermit() { m_slots.Release(); }
  SlotPermit(const SlotPermit&) = delete;
  SlotPermit& operator=(const SlotPermit&) = delete;

 private:
  CountingSemaphore& m_slots;
};

// The program's four bounds: device threads (2), configuration imports (3), version-matched
// updates (3) and updates with a picked image (3).
CountingSemaphore& DiscoverySlots();
CountingSemaphore& ImportSlots();
CountingSemaphore& UpdateSlots();
CountingSemaphore& SelfUpdateSlots();
