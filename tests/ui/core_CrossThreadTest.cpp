// Posting from other threads: delivered on the window thread, refused once the window is gone.
// Meant to run under the thread sanitizer as well.

#include "platform/ui/core/NativeWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/os/WindowSystem.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {
namespace {

constexpr UINT kWorkerMessage = WM_USER + 100;

class CrossThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_skin.Add("w.xml", R"(<Window size="100,100"><VerticalLayout/></Window>)");
    ASSERT_TRUE(m_skin.Install());
    driver.Run([&] {
      window = new RecordingWindow;
      window->onMessage = [this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message != kWorkerMessage) return false;
        // Only the window thread touches these.
        if (std::this_thread::get_id() != windowThread) ++wrongThread;
        received.push_back(static_cast<int>(wParam));
        return true;
      };
      window->CreateWnd("w.xml", nullptr, "w", nullptr);
      window->ShowWindow(true, false);
      windowThread = std::this_thread::get_id();
    });
    hwnd = driver.FindWindow("w");
    ASSERT_NE(hwnd, nullptr);
  }

  test::Driver driver;
  TestSkin m_skin;
  RecordingWindow* window = nullptr;
  HWND hwnd = nullptr;
  std::thread::id windowThread;
  std::vector<int> received;
  int wrongThread = 0;
};

TEST_F(CrossThreadTest, MessagesFromManyThreadsArriveOnTheWindowThreadInOrderPerSender) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 500;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([this, t] {
      for (int i = 0; i < kPerThread; ++i) ASSERT_TRUE(os::PostMessage(hwnd, kWorkerMessage, t * kPerThread + i, 0));
    });
  }
  for (auto& worker : workers) worker.join();
  driver.WaitUntilIdle();
  driver.Run([&] {
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kThreads * kPerThread));
    EXPECT_EQ(wrongThread, 0);
    std::vector<int> last(kThreads, -1);
    for (int value : received) {
      const int sender = value / kPerThread;
      EXPECT_GT(value, last[sender]);
      last[sender] = value;
    }
  });
}

TEST_F(CrossThreadTest, PostingWhileTheWindowIsDestroyedIsSafeAndFailsAfterwards) {
  std::atomic<bool> stop{false};
  std::atomic<int> accepted{0};
  std::atomic<int> refused{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 3; ++t) {
    workers.emplace_back([&] {
      while (!stop) {
        if (os::PostMessage(hwnd, kWorkerMessage, 0, 0)) {
          ++accepted;
        } else {
          ++refused;
        }
      }
    });
  }
  while (accepted < 100) std::this_thread::yield();
  driver.Run([&] { DestroyWindow(hwnd); });
  const int refusedAtClose = refused;
  while (refused < refusedAtClose + 100) std::this_thread::yield();
  stop = true;
  for (auto& worker : workers) worker.join();
  EXPECT_FALSE(os::PostMessage(hwnd, kWorkerMessage, 0, 0));
  EXPECT_FALSE(os::IsWindow(hwnd));
  driver.WaitUntilIdle();
}

// What the senders were told went through is freed by the window's discarder, whether the window
// went before the message's turn or the thread ended with it still queued.
std::atomic<int> g_discarded{0};
void DiscardPayload(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kWorkerMessage) return;
  delete reinterpret_cast<int*>(wParam);
  g_discarded += static_cast<int>(lParam);
}

TEST_F(CrossThreadTest, PayloadsStillQueuedForAGoneWindowGoToItsDiscarder) {
  g_discarded = 0;
  driver.Run([&] { SetPostedMessageDiscarder(hwnd, DiscardPayload); });
  std::atomic<bool> posted{false};
  driver.Run([&] {
    // Posted from another thread while the window thread is busy here, then the window goes
    // before the loop takes them.
    std::thread worker([&] {
      for (int i = 0; i < 3; ++i) EXPECT_TRUE(os::PostMessage(hwnd, kWorkerMessage, reinterpret_cast<WPARAM>(new int(i)), 1));
      posted = true;
    });
    worker.join();
    DestroyWindow(hwnd);
  });
  driver.WaitUntilIdle();
  EXPECT_TRUE(posted);
  EXPECT_EQ(g_discarded, 3);
  EXPECT_TRUE(received.empty());

  // A thread that ends without taking its messages again discards them with its queue.
  std::thread owner([] {
    CreateWindowParams params;
    params.className = "plain";
    params.rect = RECT{0, 0, 10, 10};
    const HWND window = CreateNativeWindow(params);
    SetPostedMessageDiscarder(window, DiscardPayload);
    EXPECT_TRUE(os::PostMessage(window, kWorkerMessage, reinterpret_cast<WPARAM>(new int(7)), 10));
    DestroyWindow(window);
  });
  owner.join();
  EXPECT_EQ(g_discarded, 13);
}

TEST_F(CrossThreadTest, VideoPicturesFromAnotherThreadShowInTheChildWindow) {
  HWND video = nullptr;
  driver.Run([&] {
    CreateWindowParams params;
    params.className = "video";
    params.style = WS_CHILD | WS_VISIBLE;
    params.rect = RECT{10, 20, 50, 60};
    params.parent = hwnd;
    video = CreateNativeWindow(params);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  });
  ASSERT_NE(video, nullptr);
  std::thread camera([video] {
    std::vector<std::uint32_t> pixels(8 * 4, 0xFFFF0000);  // opaque red
    os::VideoImage image{reinterpret_cast<const std::uint8_t*>(pixels.data()), 8, 4, 8 * 4};
    EXPECT_TRUE(os::PresentVideo(video, image));
  });
  camera.join();
  driver.WaitUntilIdle();
  driver.Run([&] {
    const Canvas* picture = HostWindowPicture(hwnd);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->ColorAt(30, 40), 0xFFFF0000u);
    EXPECT_NE(picture->ColorAt(5, 5), 0xFFFF0000u);
    DestroyWindow(video);
  });
  std::vector<std::uint32_t> pixels(4, 0xFF00FF00);
  EXPECT_FALSE(os::PresentVideo(video, os::VideoImage{reinterpret_cast<const std::uint8_t*>(pixels.data()), 2, 2, 8}));
}

}  // namespace
}  // namespace ui::testing
