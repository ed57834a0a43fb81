#include "sim/FaultPlan.h"

#include <gtest/gtest.h>

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

TEST(FaultPlan, CountsUsesAndForgetsClearedFaults) {
  FaultPlan plan;
  plan.Set(Operation::GetFlip, Fault{Status::Busy, {}, false, false, false, 2});
  plan.Set(Operation::SetFlip, Fault{std::nullopt, {}, true, false, false, -1});
  plan.Set(Operation::Reboot, Fault{Status::Failed, {}, false, false, false, 0});  // no use at all

  EXPECT_EQ(plan.Take(Operation::GetFlip)->status, Status::Busy);
  EXPECT_TRUE(plan.Take(Operation::GetFlip));
  EXPECT_FALSE(plan.Take(Operation::GetFlip));
  EXPECT_FALSE(plan.Take(Operation::Reboot));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(plan.Take(Operation::SetFlip)->dropReply);
  EXPECT_FALSE(plan.Take(Operation::KeepAlive));

  plan.Clear(Operation::SetFlip);
  EXPECT_FALSE(plan.Take(Operation::SetFlip));
  plan.Set(Operation::GetFlip, Fault{});
  plan.Set(Operation::SetFlip, Fault{});
  plan.ClearAll();
  EXPECT_FALSE(plan.Take(Operation::GetFlip));
  EXPECT_FALSE(plan.Take(Operation::SetFlip));
}

TEST(FaultPlan, CanFailOnlyTheNthRequest) {
  FaultPlan plan;
  Fault third{Status::Failed};
  third.times = 1;
  third.after = 2;
  plan.Set(Operation::WhiteListImport, third);
  EXPECT_FALSE(plan.Take(Operation::WhiteListImport));
  EXPECT_FALSE(plan.Take(Operation::WhiteListImport));
  EXPECT_EQ(plan.Take(Operation::WhiteListImport)->status, Status::Failed);
  EXPECT_FALSE(plan.Take(Operation::WhiteListImport));
}

}  // namespace
}  // namespace camsim
