#include "platform/os/Semaphore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/os/TestSupport.h"

namespace os {
namespace {

using namespace std::chrono_literals;

TEST(SemaphoreTest, CountsBetweenZeroAndMaximum) {
  struct Case {
    int initial;
    int maximum;
    int available;
  };
  const Case cases[] = {{0, 3, 0}, {2, 3, 2}, {5, 3, 3}, {-1, 3, 0}, {1, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.initial << "/" << c.maximum);
    EXPECT_EQ(Semaphore(c.initial, c.maximum).Available(), c.available);
  }

  Semaphore semaphore(1, 3);
  EXPECT_TRUE(semaphore.TryAcquire());
  EXPECT_FALSE(semaphore.TryAcquire());
  EXPECT_FALSE(semaphore.Acquire(0ms));
  EXPECT_TRUE(semaphore.Release(2));
  EXPECT_EQ(semaphore.Available(), 2);
  EXPECT_FALSE(semaphore.Release(2));  // would pass the maximum: nothing changes
  EXPECT_EQ(semaphore.Available(), 2);
  EXPECT_FALSE(semaphore.Release(0));
  EXPECT_FALSE(semaphore.Release(-1));
  EXPECT_TRUE(semaphore.Release());
  EXPECT_FALSE(semaphore.Release());
  EXPECT_EQ(semaphore.Available(), 3);
}

TEST(SemaphoreTest, BoundsHowManyWorkersRunAtOnce) {
  constexpr int kPermits = 3;
  Semaphore semaphore(kPermits, kPermits);
  std::atomic<int> running{0};
  std::atomic<int> mostRunning{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < 12; ++i) {
    workers.emplace_back([&] {
      semaphore.Acquire();
      const int now = ++running;
      int seen = mostRunning.load();
      while (now > seen && !mostRunning.compare_exchange_weak(seen, now)) {
      }
      std::this_thread::sleep_for(5ms);
      --running;
      semaphore.Release();
    });
  }
  for (std::thread& t : workers) t.join();
  EXPECT_LE(mostRunning, kPermits);
  EXPECT_EQ(semaphore.Available(), kPermits);
}

TEST(SemaphoreTest, ReleaseOfSeveralWakesAsManyWaiters) {
  Semaphore semaphore(0, 4);
  std::atomic<int> acquired{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.emplace_back([&] {
      if (semaphore.Acquire(10s)) ++acquired;
    });
  }
  std::this_thread::sleep_for(20ms);
  EXPECT_TRUE(semaphore.Release(3));
  for (std::thread& t : waiters) t.join();
  EXPECT_EQ(acquired, 3);
  EXPECT_EQ(semaphore.Available(), 0);
}

class SemaphoreOnVirtualTime : public test::VirtualTimeTest {};

TEST_F(SemaphoreOnVirtualTime, TimedAcquireEndsByPermitOrByVirtualTimeout) {
  Semaphore semaphore(0, 1);
  std::atomic<int> first{-1};
  std::atomic<int> second{-1};
  std::thread a([&] { first = semaphore.Acquire(1000ms) ? 1 : 0; });
  std::thread b([&] { second = semaphore.Acquire(2000ms) ? 1 : 0; });
  ASSERT_TRUE(m_clock.WaitForSleepers(2));
  m_clock.Advance(1000ms);
  a.join();
  EXPECT_EQ(first, 0);
  EXPECT_TRUE(semaphore.Release());
  b.join();
  EXPECT_EQ(second, 1);
  EXPECT_EQ(semaphore.Available(), 0);
}

}  // namespace
}  // namespace os
