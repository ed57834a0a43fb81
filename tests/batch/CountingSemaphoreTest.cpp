#include "batch/CountingSemaphore.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(CountingSemaphore, NoMoreHoldersThanPermits) {
  CountingSemaphore slots(3);
  std::atomic<int> holding{0};
  std::atomic<bool> release{false};
  std::vector<std::thread> workers;
  for (int i = 0; i < 5; ++i) {
    workers.emplace_back([&] {
      SlotPermit permit(slots);
      ++holding;
      while (!release) std::this_thread::yield();
      --holding;
    });
  }
  // Three hold a permit, two wait for one.
  while (holding < 3 || slots.Waiters() < 2) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(holding.load(), 3);
  EXPECT_EQ(slots.Waiters(), 2);
  EXPECT_EQ(slots.Available(), 0);
  release = true;
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(slots.Available(), 3);
  EXPECT_EQ(slots.Waiters(), 0);
}

TEST(CountingSemaphore, AWaiterAReleasedPermitIsFreeForNoLongerCounts) {
  CountingSemaphore slots(1);
  slots.Acquire();
  std::thread waiter([&] { SlotPermit permit(slots); });
  while (slots.Waiters() == 0) std::this_thread::yield();
  EXPECT_EQ(slots.Waiters(), 1);
  slots.Release();
  EXPECT_EQ(slots.Waiters(), 0) << "about to go on, even before it has woken";
  waiter.join();
  EXPECT_EQ(slots.Available(), 1);
}

TEST(CountingSemaphore, TheProgramsBounds) {
  EXPECT_EQ(DiscoverySlots().Available(), 2);
  EXPECT_EQ(ImportSlots().Available(), 3);
  EXPECT_EQ(UpdateSlots().Available(), 3);
  EXPECT_EQ(SelfUpdateSlots().Available(), 3);
}

}  // namespace
