// Reconnect timers on the library's clock: a task runs once the (virtual) clock reaches its time,
// earliest first; a cancelled task leaves no thread waiting on the clock.

#include "platform/camera/ClockTimers.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

#include "Eventually.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;

class ClockTimersTest : public testing::Test {
 protected:
  void SetUp() override { os::SetClock(&m_clock); }
  void TearDown() override {
    m_timers.Stop();
    os::SetClock(nullptr);
  }

  std::vector<int> Ran() {
    std::lock_guard lock(m_mutex);
    return m_ran;
  }
  ClockTimers::TaskId After(os::Milliseconds delay, int id) {
    return m_timers.After(delay, [this, id] {
      std::lock_guard lock(m_mutex);
      m_ran.push_back(id);
    });
  }

  os::VirtualClock m_clock;
  ClockTimers m_timers;
  std::mutex m_mutex;
  std::vector<int> m_ran;
};

TEST_F(ClockTimersTest, ATaskRunsWhenTheClockReachesItsTime) {
  After(3000ms, 3);
  After(1000ms, 1);
  After(2000ms, 2);
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  std::this_thread::sleep_for(20ms);
  EXPECT_TRUE(Ran().empty()) << "nothing is due before the clock moves";
  m_clock.Advance(1500ms);
  ASSERT_TRUE(Eventually([&] { return Ran().size() == 1; }));
  m_clock.Advance(2000ms);
  ASSERT_TRUE(Eventually([&] { return Ran().size() == 3; }));
  EXPECT_EQ(Ran(), (std::vector<int>{1, 2, 3}));
}

// Once a cancel returns, nothing waits on the clock any more (the handle that cancelled may be the
// last, and its test put the clock away next); Stop drops what is not due.
TEST_F(ClockTimersTest, CancelLeavesNoSleeperAndStopDropsWhatIsNotDue) {
  const ClockTimers::TaskId first = After(1000ms, 1);
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  m_timers.Cancel(first);
  EXPECT_EQ(m_clock.Sleepers(), 0);
  After(500ms, 2);
  ASSERT_TRUE(m_clock.WaitForSleepers(1));
  m_timers.Stop();
  EXPECT_EQ(m_clock.Sleepers(), 0);
  m_clock.Advance(2000ms);
  std::this_thread::sleep_for(20ms);
  EXPECT_TRUE(Ran().empty());
}

}  // namespace
}  // namespace camera::test
