#include "sim/Scheduler.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace camsim {
namespace {

class SchedulerTest : public ::testing::Test {
 protected:
  void Record(int value) {
    std::lock_guard lock(m_mutex);
    m_ran.push_back(value);
  }
  std::vector<int> Ran() {
    std::lock_guard lock(m_mutex);
    return m_ran;
  }

  os::VirtualClock m_clock;
  Scheduler m_scheduler{m_clock};
  std::mutex m_mutex;
  std::vector<int> m_ran;
};

TEST_F(SchedulerTest, RunsTasksWhenVirtualTimeReachesThemInDeadlineOrder) {
  m_scheduler.After(std::chrono::seconds(30), [this] { Record(30); });
  m_scheduler.After(std::chrono::seconds(10), [this] { Record(10); });
  m_scheduler.After(std::chrono::seconds(10), [this] { Record(11); });
  m_scheduler.After(std::chrono::seconds(20), [this] { Record(20); });
  ASSERT_TRUE(m_scheduler.WaitIdle());
  EXPECT_TRUE(Ran().empty());

  m_clock.Advance(std::chrono::seconds(10));
  ASSERT_TRUE(m_scheduler.WaitIdle());
  EXPECT_EQ(Ran(), (std::vector<int>{10, 11}));

  // One long step runs everything that fell due, still in order.
  m_clock.Advance(std::chrono::seconds(60));
  ASSERT_TRUE(m_scheduler.WaitIdle());
  EXPECT_EQ(Ran(), (std::vector<int>{10, 11, 20, 30}));
}

TEST_F(SchedulerTest, CancelledTasksDoNotRunAndTasksMayScheduleMore) {
  const auto cancelled = m_scheduler.After(std::chrono::seconds(5), [this] { Record(-1); });
  m_scheduler.After(std::chrono::seconds(5), [this] {
    Record(5);
    m_scheduler.After(std::chrono::seconds(5), [this] { Record(10); });
  });
  m_scheduler.Cancel(cancelled);
  m_clock.Advance(std::chrono::seconds(5));
  ASSERT_TRUE(m_scheduler.WaitIdle());
  EXPECT_EQ(Ran(), (std::vector<int>{5}));
  m_clock.Advance(std::chrono::seconds(5));
  ASSERT_TRUE(m_scheduler.WaitIdle());
  EXPECT_EQ(Ran(), (std::vector<int>{5, 10}));
}

TEST_F(SchedulerTest, StopDropsWhatIsLeft) {
  m_scheduler.After(std::chrono::seconds(1), [this] { Record(1); });
  m_scheduler.Stop();
  m_clock.Advance(std::chrono::seconds(2));
  EXPECT_TRUE(Ran().empty());
  m_scheduler.After(std::chrono::seconds(0), [this] { Record(2); });
  EXPECT_TRUE(Ran().empty());
}

}  // namespace
}  // namespace camsim
