#include "platform/os/WindowSystem.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace os {
namespace {

HWND Window(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

// Knows one window; counts calls, and every call that arrives after it was retired.
class FakeWindowSystem : public WindowSystem {
 public:
  explicit FakeWindowSystem(HWND window) : m_window(window) {}

  bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    Enter();
    m_lastMessage = message;
    m_lastWParam = wParam;
    m_lastLParam = lParam;
    return hwnd == m_window;
  }
  bool IsWindow(HWND hwnd) override {
    Enter();
    return hwnd == m_window;
  }
  bool PresentVideo(HWND hwnd, const VideoImage& image) override {
    Enter();
    return hwnd == m_window && image.pixels != nullptr;
  }
  std::optional<SIZE> VideoSize(HWND hwnd) override {
    Enter();
    if (hwnd != m_window) return std::nullopt;
    return SIZE{64, 36};
  }

  void Retire() { m_retired = true; }
  void Revive() { m_retired = false; }
  int Calls() const { return m_calls; }
  int LateCalls() const { return m_lateCalls; }

  std::atomic<UINT> m_lastMessage{0};
  std::atomic<WPARAM> m_lastWParam{0};
  std::atomic<LPARAM> m_lastLParam{0};

 private:
  void Enter() {
    ++m_calls;
    if (m_retired) ++m_lateCalls;
  }

  HWND m_window;
  std::atomic<bool> m_retired{false};
  std::atomic<int> m_calls{0};
  std::atomic<int> m_lateCalls{0};
};

TEST(WindowSystemTest, NothingInstalledMeansEveryWindowIsGone) {
  InstallWindowSystem(nullptr);
  const std::uint8_t pixel[4] = {};
  EXPECT_FALSE(PostMessage(Window(1), WM_USER, 1, 2));
  EXPECT_FALSE(IsWindow(Window(1)));
  EXPECT_FALSE(PresentVideo(Window(1), VideoImage{pixel, 1, 1, 4}));
  EXPECT_FALSE(VideoSize(Window(1)).has_value());
}

TEST(WindowSystemTest, CallsReachTheInstalledSystem) {
  FakeWindowSystem system(Window(7));
  InstallWindowSystem(&system);
  EXPECT_TRUE(PostMessage(Window(7), WM_USER + 5, 11, -3));
  EXPECT_EQ(system.m_lastMessage, WM_USER + 5);
  EXPECT_EQ(system.m_lastWParam, 11u);
  EXPECT_EQ(system.m_lastLParam, -3);
  EXPECT_FALSE(PostMessage(Window(8), WM_USER, 0, 0));  // a window that is gone
  EXPECT_TRUE(IsWindow(Window(7)));
  EXPECT_FALSE(IsWindow(Window(8)));
  const std::uint8_t pixel[4] = {};
  EXPECT_TRUE(PresentVideo(Window(7), VideoImage{pixel, 1, 1, 4}));
  const std::optional<SIZE> size = VideoSize(Window(7));
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->cx, 64);
  EXPECT_EQ(size->cy, 36);
  EXPECT_FALSE(VideoSize(Window(8)).has_value());
  InstallWindowSystem(nullptr);
  EXPECT_FALSE(PostMessage(Window(7), WM_USER, 0, 0));
  EXPECT_EQ(system.Calls(), 7);
}

TEST(WindowSystemTest, NoCallReachesASystemAfterItsRemovalReturned) {
  FakeWindowSystem first(Window(1));
  FakeWindowSystem second(Window(1));
  std::atomic<bool> stop{false};
  std::atomic<int> delivered{0};
  std::vector<std::thread> posters;
  for (int i = 0; i < 4; ++i) {
    posters.emplace_back([&, i] {
      while (!stop) {
        if (PostMessage(Window(1), WM_USER, static_cast<WPARAM>(i), 0)) ++delivered;
        IsWindow(Window(1));
      }
    });
  }
  // Enough rounds that removals overlap calls in flight, however the threads get scheduled.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (int round = 0; round < 2000 || (delivered < 200 && std::chrono::steady_clock::now() < deadline); ++round) {
    FakeWindowSystem& system = round % 2 == 0 ? first : second;
    system.Revive();
    InstallWindowSystem(&system);
    std::this_thread::yield();
    InstallWindowSystem(nullptr);
    system.Retire();
  }
  stop = true;
  for (std::thread& t : posters) t.join();
  EXPECT_EQ(first.LateCalls(), 0);
  EXPECT_EQ(second.LateCalls(), 0);
  EXPECT_GT(first.Calls() + second.Calls(), 0);
  EXPECT_GT(delivered, 0);
}

}  // namespace
}  // namespace os
