#include "batch/RowStatus.h"

#include <gtest/gtest.h>

namespace {

TEST(RowStatus, ARunIsHandledOnlyOnceItsLastPostIs) {
  auto status = std::make_shared<RowStatus>(RowStatusFields{"idle", 0, 1, true});
  status->BeginRun();
  status->CountPost();
  status->CountPost();
  status->EndRun();
  EXPECT_FALSE(status->RunHandled());
  status->PostHandled();
  EXPECT_FALSE(status->RunHandled()) << "the last post is still on its way";
  status->PostHandled();
  EXPECT_TRUE(status->RunHandled());
  status->BeginRun();
  EXPECT_FALSE(status->RunHandled()) << "a new run";
}

TEST(RowStatus, PostsToAWindowThatIsGoneEndTheRunAtOnce) {
  auto status = std::make_shared<RowStatus>(RowStatusFields{"idle", 0, 1, true});
  status->BeginRun();
  const RowReporter reporter(status, nullptr, 7);
  reporter.Post("working", 50, 50, false);
  EXPECT_FALSE(status->RunHandled());
  reporter.PostFinal("done", 100, 100, true);
  EXPECT_TRUE(status->RunHandled());
  const RowStatusFields fields = status->Fields();
  EXPECT_EQ(fields.status, "done");
  EXPECT_EQ(fields.percent, 100);
  EXPECT_EQ(fields.progress, 100);
  EXPECT_TRUE(fields.actionEnabled);
}

}  // namespace
