#include "batch/BatchThreads.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(BatchThreads, JoinAllWaitsForThreadsAndTheThreadsTheyStart) {
  BatchThreads threads;
  std::atomic<int> done{0};
  for (int i = 0; i < 4; ++i) {
    threads.Start([&] {
      threads.Start([&] {
        std::this_thread::sleep_for(5ms);
        ++done;
      });
      ++done;
    });
  }
  threads.JoinAll();
  EXPECT_EQ(done.load(), 8);
  EXPECT_EQ(threads.Running(), 0);
  EXPECT_GE(threads.Peak(), 4);
}

TEST(BatchThreads, AnExceptionEndsOnlyItsThread) {
  BatchThreads threads;
  std::atomic<bool> other{false};
  threads.Start([] { throw std::runtime_error("camera gone"); });
  threads.Start([&] { other = true; });
  threads.JoinAll();
  EXPECT_TRUE(other.load());
  EXPECT_EQ(threads.Running(), 0);
}

TEST(BatchThreads, APauseCountsUntilItsEndComesOnTheClock) {
  os::VirtualClock clock;
  os::SetClock(&clock);
  BatchThreads threads;
  threads.Start([&] { threads.Pause(1000ms); });
  ASSERT_TRUE(clock.WaitForSleepers(1));
  EXPECT_EQ(threads.Paused(), 1);
  EXPECT_EQ(threads.Running(), 1);
  clock.Advance(999ms);
  EXPECT_EQ(threads.Paused(), 1);
  clock.Advance(1ms);
  EXPECT_EQ(threads.Paused(), 0) << "its end has come, whether or not the thread has woken yet";
  threads.JoinAll();
  os::SetClock(nullptr);
}

}  // namespace
