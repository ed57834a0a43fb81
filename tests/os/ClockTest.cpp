#include "platform/os/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/os/TestSupport.h"

namespace os {
namespace {

using namespace std::chrono_literals;
using test::WaitUntil;

class VirtualTime : public test::VirtualTimeTest {};

TEST(RealClockTest, WaitForEndsByConditionOrTimeout) {
  RealClock clock;
  std::mutex mutex;
  std::condition_variable cv;
  bool flag = false;
  std::unique_lock lock(mutex);

  const auto before = clock.Now();
  EXPECT_FALSE(clock.WaitFor(cv, lock, 30ms, [&] { return flag; }));
  EXPECT_GE(clock.Now() - before, 30ms);

  std::thread setter([&] {
    std::lock_guard guard(mutex);
    flag = true;
    cv.notify_all();
  });
  EXPECT_TRUE(clock.WaitFor(cv, lock, 10s, [&] { return flag; }));
  lock.unlock();
  setter.join();
}

TEST(RealClockTest, HugeTimeoutsDoNotOverflow) {
  RealClock clock;
  std::mutex mutex;
  std::condition_variable cv;
  std::unique_lock lock(mutex);
  EXPECT_TRUE(clock.WaitFor(cv, lock, Milliseconds::max(), [] { return true; }));
  EXPECT_FALSE(clock.WaitFor(cv, lock, Milliseconds::min(), [] { return false; }));
  clock.SleepFor(-5ms);
}

TEST_F(VirtualTime, ShorthandsReadTheCurrentClock) {
  EXPECT_EQ(TickCountMs(), 0u);
  m_clock.Advance(1234ms);
  EXPECT_EQ(TickCountMs(), 1234u);
  EXPECT_EQ(GetLocalTime().second, 1);
  EXPECT_EQ(GetLocalTime().millisecond, 234);
  SetClock(nullptr);
  EXPECT_GT(TickCountMs(), 1234u);  // steady time since boot
}

TEST(VirtualClockTest, LocalTimeMovesByCalendar) {
  struct Case {
    LocalTime start;
    Milliseconds advance;
    LocalTime expected;
  };
  const Case cases[] = {
      {{2026, 1, 1, 8, 0, 0, 0, 4}, 0ms, {2026, 1, 1, 8, 0, 0, 0, 4}},
      {{2026, 1, 1, 8, 0, 0, 0, 4}, 16h + 1min + 1500ms, {2026, 1, 2, 0, 1, 1, 500, 5}},
      {{2025, 12, 31, 23, 59, 59, 999, 3}, 1ms, {2026, 1, 1, 0, 0, 0, 0, 4}},
      {{2024, 2, 28, 12, 0, 0, 0, 3}, 24h, {2024, 2, 29, 12, 0, 0, 0, 4}},
      {{2023, 2, 28, 12, 0, 0, 0, 2}, 24h, {2023, 3, 1, 12, 0, 0, 0, 3}},
      {{2026, 3, 29, 1, 30, 0, 0, 0}, 1h, {2026, 3, 29, 2, 30, 0, 0, 0}},  // no daylight-saving jumps
  };
  for (const Case& c : cases) {
    VirtualClock clock(c.start);
    clock.Advance(c.advance);
    const LocalTime t = clock.LocalNow();
    SCOPED_TRACE(testing::Message() << c.expected.year << "-" << c.expected.month << "-" << c.expected.day);
    EXPECT_EQ(t.year, c.expected.year);
    EXPECT_EQ(t.month, c.expected.month);
    EXPECT_EQ(t.day, c.expected.day);
    EXPECT_EQ(t.hour, c.expected.hour);
    EXPECT_EQ(t.minute, c.expected.minute);
    EXPECT_EQ(t.second, c.expected.second);
    EXPECT_EQ(t.millisecond, c.expected.millisecond);
    EXPECT_EQ(t.dayOfWeek, c.expected.dayOfWeek);
  }
}

TEST_F(VirtualTime, SleepersWakeExactlyWhenTheirDeadlinePasses) {
  std::mutex mutex;
  std::vector<int> woken;
  std::vector<std::thread> sleepers;
  for (int ms : {300, 100, 200}) {
    sleepers.emplace_back([&, ms] {
      Sleep(Milliseconds(ms));
      std::lock_guard lock(mutex);
      woken.push_back(ms);
    });
  }
  ASSERT_TRUE(m_clock.WaitForSleepers(3));
  const auto wokenSoFar = [&] {
    std::lock_guard lock(mutex);
    return woken;
  };

  m_clock.Advance(99ms);
  EXPECT_EQ(m_clock.Sleepers(), 3);
  m_clock.Advance(1ms);  // exactly the first deadline
  EXPECT_TRUE(WaitUntil([&] { return wokenSoFar().size() == 1; }));
  EXPECT_EQ(m_clock.Sleepers(), 2);
  m_clock.Advance(150ms);
  EXPECT_TRUE(WaitUntil([&] { return wokenSoFar().size() == 2; }));
  EXPECT_EQ(m_clock.Sleepers(), 1);
  m_clock.Advance(50ms);
  for (std::thread& t : sleepers) t.join();
  EXPECT_EQ(wokenSoFar(), (std::vector<int>{100, 200, 300}));
  EXPECT_EQ(m_clock.Sleepers(), 0);
}

TEST_F(VirtualTime, OneAdvancePastSeveralDeadlinesWakesSleepersAndTimedWaiters) {
  std::mutex mutex;
  std::condition_variable cv;
  std::atomic<int> returned{0};
  std::vector<std::thread> threads;
  for (int i = 1; i <= 3; ++i) {
    threads.emplace_back([&, i] {
      Sleep(Milliseconds(i * 10));
      ++returned;
    });
    threads.emplace_back([&, i] {
      std::unique_lock lock(mutex);
      if (!CurrentClock().WaitFor(cv, lock, Milliseconds(i * 15), [] { return false; })) ++returned;
    });
  }
  ASSERT_TRUE(m_clock.WaitForSleepers(6));
  m_clock.Advance(44ms);
  EXPECT_TRUE(WaitUntil([&] { return returned == 5; }));
  EXPECT_EQ(m_clock.Sleepers(), 1);  // the 45 ms waiter
  m_clock.Advance(1ms);
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(returned, 6);
  EXPECT_EQ(m_clock.Now(), 45ms);
}

TEST_F(VirtualTime, WaitForSleepersTimesOutWhenNobodySleeps) {
  EXPECT_FALSE(m_clock.WaitForSleepers(1, 20ms));
  EXPECT_TRUE(m_clock.WaitForSleepers(0, 20ms));
}

TEST_F(VirtualTime, TimedWaitWakesAtOnceWhenItsConditionTurnsTrue) {
  std::mutex mutex;
  std::condition_variable cv;
  bool ready = false;
  std::atomic<int> result{-1};
  std::thread waiter([&] {
    std::unique_lock lock(mutex);
    result = CurrentClock().WaitFor(cv, lock, 30s, [&] { return ready; }) ? 1 : 0;
  });
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  {
    std::lock_guard lock(mutex);
    ready = true;
  }
  cv.notify_all();
  waiter.join();  // no Advance: the condition alone ends the wait
  EXPECT_EQ(result, 1);
  EXPECT_EQ(m_clock.Now(), 0ms);
  EXPECT_EQ(m_clock.Sleepers(), 0);
}

TEST_F(VirtualTime, TimedWaitTimesOutOnlyOnVirtualTime) {
  std::mutex mutex;
  std::condition_variable cv;
  std::atomic<int> result{-1};
  std::thread waiter([&] {
    std::unique_lock lock(mutex);
    result = CurrentClock().WaitFor(cv, lock, 30s, [] { return false; }) ? 1 : 0;
  });
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  std::this_thread::sleep_for(30ms);  // real time does not count
  m_clock.Advance(29999ms);
  EXPECT_EQ(result, -1);
  m_clock.Advance(1ms);
  waiter.join();
  EXPECT_EQ(result, 0);
}

TEST_F(VirtualTime, WorkersPollingInLoopsFollowStepwiseTime) {
  constexpr int kWorkers = 8;
  constexpr int kRounds = 5;
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&] {
      for (int round = 0; round < kRounds; ++round) Sleep(1000ms);
      ++finished;
    });
  }
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_TRUE(m_clock.WaitForSleepers(kWorkers)) << round;
    EXPECT_EQ(finished, 0);
    m_clock.Advance(1000ms);
  }
  for (std::thread& t : workers) t.join();
  EXPECT_EQ(finished, kWorkers);
  EXPECT_EQ(m_clock.Now(), 5000ms);
}

TEST_F(VirtualTime, ZeroAndNegativeWaitsReturnAtOnce) {
  Sleep(0ms);
  Sleep(-1ms);
  std::mutex mutex;
  std::condition_variable cv;
  std::unique_lock lock(mutex);
  EXPECT_FALSE(m_clock.WaitFor(cv, lock, 0ms, [] { return false; }));
  EXPECT_TRUE(m_clock.WaitFor(cv, lock, 0ms, [] { return true; }));
  EXPECT_EQ(m_clock.Sleepers(), 0);
}

TEST_F(VirtualTime, HugeDeadlinesSaturate) {
  std::thread sleeper([] { Sleep(Milliseconds::max()); });
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  m_clock.Advance(Milliseconds::max());
  sleeper.join();
  EXPECT_EQ(m_clock.Now(), Clock::Duration::max());
}

}  // namespace
}  // namespace os
