#include "batch/BatchThreads.h"

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
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

// What a worker holds (a device record, whose end closes its camera) goes after the worker has
// counted itself done. A start that joins such a thread meanwhile keeps no other caller waiting.
TEST(BatchThreads, AThreadThatEndsSlowlyHoldsUpNoOtherCaller) {
  struct SlowEnd {
    explicit SlowEnd(std::shared_future<void> until) : released(std::move(until)) {}
    ~SlowEnd() { released.wait(); }
    std::shared_future<void> released;
  };
  BatchThreads threads;
  std::promise<void> release;
  auto held = std::make_shared<SlowEnd>(release.get_future().share());
  // The worker ends only after this thread has let go: its own copy must be the last.
  std::promise<void> letGo;
  threads.Start([held, gone = letGo.get_future().share()] { gone.wait(); });
  held.reset();
  letGo.set_value();
  while (threads.Running() != 0) std::this_thread::sleep_for(1ms);
  auto starting = std::async(std::launch::async, [&] { threads.Start([] {}); });
  // Long enough for that start to be joining the ended thread.
  std::this_thread::sleep_for(100ms);
  auto running = std::async(std::launch::async, [&] { return threads.Running(); });
  const bool answered = running.wait_for(5s) == std::future_status::ready;
  release.set_value();
  EXPECT_TRUE(answered);
  starting.get();
  threads.JoinAll();
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
