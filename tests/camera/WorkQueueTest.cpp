// Queues of tasks on a shared pool of threads: order and one task at a time per queue, a blocked
// queue that holds up no other while the pool has room, the bound on threads, and Stop.

#include "platform/camera/WorkQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "Eventually.h"
#include "Latch.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;

TEST(WorkQueueTest, EachQueueRunsItsTasksInOrderOneAtATime) {
  constexpr int kQueues = 16;
  constexpr int kTasks = 300;
  DeliveryPool pool(4);
  struct Track {
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    std::vector<int> order;  // touched by the queue's tasks only
  };
  std::vector<Track> tracks(kQueues);
  std::vector<std::unique_ptr<WorkQueue>> queues;
  for (int q = 0; q < kQueues; ++q) queues.push_back(std::make_unique<WorkQueue>(kTasks, pool));
  std::atomic<int> done{0};
  std::vector<std::thread> posters;
  for (int q = 0; q < kQueues; ++q) {
    posters.emplace_back([&, q] {
      for (int i = 0; i < kTasks; ++i) {
        ASSERT_TRUE(queues[q]->Post([&track = tracks[q], &done, i] {
          if (++track.inside > 1) track.overlapped = true;
          track.order.push_back(i);
          --track.inside;
          ++done;
        }));
      }
    });
  }
  for (auto& poster : posters) poster.join();
  ASSERT_TRUE(Eventually([&] { return done == kQueues * kTasks; }));
  EXPECT_LE(pool.Threads(), 4u);
  for (int q = 0; q < kQueues; ++q) {
    EXPECT_FALSE(tracks[q].overlapped) << "queue " << q;
    ASSERT_EQ(tracks[q].order.size(), static_cast<std::size_t>(kTasks));
    for (int i = 0; i < kTasks; ++i) ASSERT_EQ(tracks[q].order[i], i) << "queue " << q;
  }
}

// With three threads at most: two blocked queues leave a third one running; a third blocked queue
// takes the last thread, and a fourth waits for one to come free.
TEST(WorkQueueTest, ABlockedQueueHoldsUpNoOtherWhileThePoolHasRoom) {
  DeliveryPool pool(3);
  Latch release;
  std::atomic<int> blocked{0};
  std::vector<std::unique_ptr<WorkQueue>> queues;
  for (int q = 0; q < 4; ++q) queues.push_back(std::make_unique<WorkQueue>(8, pool));
  const auto block = [&] {
    ++blocked;
    release.Wait();
  };
  queues[0]->Post(block);
  queues[1]->Post(block);
  ASSERT_TRUE(Eventually([&] { return blocked == 2; }));
  std::atomic<bool> ran{false};
  queues[2]->Post([&] { ran = true; });
  EXPECT_TRUE(Eventually([&] { return ran.load(); }));

  queues[2]->Post(block);
  ASSERT_TRUE(Eventually([&] { return blocked == 3; }));
  std::atomic<bool> waited{false};
  queues[3]->Post([&] { waited = true; });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(waited);
  EXPECT_EQ(pool.Threads(), 3u);
  release.Open();
  EXPECT_TRUE(Eventually([&] { return waited.load(); }));
}

TEST(WorkQueueTest, AFullQueueRefusesATask) {
  DeliveryPool pool(1);
  Latch release;
  WorkQueue queue(2, pool);
  std::atomic<bool> running{false};
  ASSERT_TRUE(queue.Post([&] {
    running = true;
    release.Wait();
  }));
  ASSERT_TRUE(Eventually([&] { return running.load(); }));
  EXPECT_TRUE(queue.Post([] {}));
  EXPECT_TRUE(queue.Post([] {}));
  EXPECT_FALSE(queue.Post([] {}));  // two wait already
  release.Open();
}

// Stop drops what waits and returns once the running task has finished; after it nothing runs.
TEST(WorkQueueTest, StopWaitsForTheRunningTaskAndDropsTheRest) {
  DeliveryPool pool(2);
  Latch entered;
  Latch release;
  WorkQueue queue(8, pool);
  std::atomic<int> ran{0};
  queue.Post([&] {
    entered.Open();
    release.Wait();
    ++ran;
  });
  queue.Post([&] { ++ran; });
  entered.Wait();
  std::atomic<bool> stopped{false};
  std::thread stopper([&] {
    queue.Stop();
    stopped = true;
  });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(stopped);
  release.Open();
  stopper.join();
  EXPECT_EQ(ran, 1);
  EXPECT_FALSE(queue.Post([&] { ++ran; }));
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(ran, 1);
}

TEST(WorkQueueTest, ATaskMayStopItsOwnQueue) {
  DeliveryPool pool(1);
  auto queue = std::make_unique<WorkQueue>(8, pool);
  std::atomic<int> ran{0};
  std::atomic<bool> stopped{false};
  queue->Post([&] {
    queue->Stop();  // does not wait for itself
    stopped = true;
  });
  queue->Post([&] { ++ran; });
  ASSERT_TRUE(Eventually([&] { return stopped.load(); }));
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(ran, 0);
  // The pool's thread is free for other queues.
  WorkQueue other(8, pool);
  other.Post([&] { ++ran; });
  EXPECT_TRUE(Eventually([&] { return ran == 1; }));
}

}  // namespace
}  // namespace camera::test
