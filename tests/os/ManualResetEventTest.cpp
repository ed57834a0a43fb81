#include "platform/os/ManualResetEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/os/TestSupport.h"

namespace os {
namespace {

using namespace std::chrono_literals;

TEST(ManualResetEventTest, StaysSetUntilReset) {
  ManualResetEvent event;
  EXPECT_FALSE(event.IsSet());
  EXPECT_FALSE(event.Wait(0ms));
  event.Set();
  EXPECT_TRUE(event.Wait(0ms));
  EXPECT_TRUE(event.Wait(0ms));  // manual reset: a wait does not consume it
  event.Wait();
  event.Reset();
  EXPECT_FALSE(event.IsSet());
  EXPECT_FALSE(event.Wait(10ms));
  EXPECT_TRUE(ManualResetEvent(true).IsSet());
}

TEST(ManualResetEventTest, SetWakesEveryWaiter) {
  ManualResetEvent event;
  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 4; ++i) {
    waiters.emplace_back([&] {
      if (event.Wait(10s)) ++woken;
    });
  }
  waiters.emplace_back([&] {
    event.Wait();
    ++woken;
  });
  std::this_thread::sleep_for(20ms);
  event.Set();
  for (std::thread& t : waiters) t.join();
  EXPECT_EQ(woken, 5);
}

class ManualResetEventOnVirtualTime : public test::VirtualTimeTest {};

TEST_F(ManualResetEventOnVirtualTime, TimesOutAfterItsVirtualTimeout) {
  ManualResetEvent event;
  std::atomic<int> result{-1};
  std::thread waiter([&] { result = event.Wait(15000ms) ? 1 : 0; });
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  m_clock.Advance(14999ms);
  EXPECT_EQ(result, -1);
  m_clock.Advance(1ms);
  waiter.join();
  EXPECT_EQ(result, 0);
}

TEST_F(ManualResetEventOnVirtualTime, SetEndsATimedWaitWithoutTimePassing) {
  ManualResetEvent event;
  std::atomic<int> result{-1};
  std::thread waiter([&] { result = event.Wait(15000ms) ? 1 : 0; });
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  event.Set();
  waiter.join();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(m_clock.Now(), 0ms);
}

}  // namespace
}  // namespace os
