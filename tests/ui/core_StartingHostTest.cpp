// A host still being made: what the windows tell it before it is made reaches it afterwards, in
// order and with the pictures then current; answers wait for it, work of the thread's own does not.

#include "platform/ui/host/StartingHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/core/NativeWindow.h"
#include "tests/ui/CoreTestSupport.h"

namespace ui {
namespace {

using namespace std::chrono_literals;
using testing::MakeNativeWindow;

std::string Text(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right - rc.left) + "x" +
         std::to_string(rc.bottom - rc.top);
}

// Writes down what it is told, windows by the order they came in, so that two runs compare.
class RecordingHost final : public Host {
 public:
  explicit RecordingHost(std::vector<std::string>& records) : m_records(records) {}

  const char* Name() const override { return "recording"; }
  void WindowCreated(const HostWindowSpec& spec) override {
    Add("created " + Known(spec.hwnd) + " " + spec.title + " " + Text(spec.rect));
  }
  void WindowDestroyed(HWND hwnd) override { Add("destroyed " + Known(hwnd)); }
  void WindowMoved(HWND hwnd, const RECT& rect) override { Add("moved " + Known(hwnd) + " " + Text(rect)); }
  void WindowShown(HWND hwnd, bool visible, bool activate) override {
    Add("shown " + Known(hwnd) + (visible ? " visible" : " hidden") + (activate ? " active" : ""));
  }
  void WindowTitleChanged(HWND, const std::string& utf8) override { Add("title " + utf8); }
  void WindowEnabled(HWND hwnd, bool enabled) override { Add("enabled " + Known(hwnd) + (enabled ? " yes" : " no")); }
  void WindowActivated(HWND hwnd) override { Add("activated " + Known(hwnd)); }
  void WindowPainted(HWND hwnd, const Canvas& picture, const RECT& dirty) override {
    // Reading the picture: a picture no longer the window's would be caught here (asan).
    Add("painted " + Known(hwnd) + " " + std::to_string(picture.Width()) + "x" + std::to_string(picture.Height()) +
        " pixel " + std::to_string(picture.ColorAt(0, 0)) + " dirty " + Text(dirty));
  }
  void CursorChanged(HWND hwnd, int cursorId) override { Add("cursor " + Known(hwnd) + " " + std::to_string(cursorId)); }
  void TextInputPlace(HWND, const RECT& caret) override { Add("caret " + Text(caret)); }
  RECT WorkArea() const override { return RECT{0, 0, 1000, 700}; }
  bool WindowReady(HWND) override { return true; }
  void WaitForWork(std::unique_lock<std::mutex>&, std::condition_variable&, std::optional<std::chrono::milliseconds>,
                   const std::function<bool()>&) override {}
  void Wake() override {}
  bool HandlePendingEvent() override { return false; }
  void SetClipboardText(const std::string&) override {}
  std::string GetClipboardText() override { return {}; }

 private:
  std::string Known(HWND hwnd) {
    const auto known = m_windows.emplace(hwnd, m_windows.size() + 1).first;
    return "w" + std::to_string(known->second);
  }
  void Add(std::string record) { m_records.push_back(std::move(record)); }

  std::vector<std::string>& m_records;
  std::map<HWND, std::size_t> m_windows;
};

class StartingHostTest : public ::testing::Test {
 protected:
  void InstallStartingHost() {
    HostStart start{m_workArea.get_future().share(), m_done.get_future().share()};
    SetHost(std::make_unique<StartingHost>(start, [this] {
      ++made;
      madeOn = std::this_thread::get_id();
      return std::make_unique<RecordingHost>(records);
    }));
  }
  void TearDown() override {
    for (HWND window : m_windows) DestroyWindow(window);
    SetHost(nullptr);
  }

  HWND Window(const char* title, RECT rect) {
    m_windows.push_back(MakeNativeWindow(nullptr, WS_CAPTION, rect, nullptr, title));
    return m_windows.back();
  }
  void DisplayOpened(std::optional<RECT> workArea) { m_workArea.set_value(workArea); }
  void StartEnded() { m_done.set_value(); }

  std::vector<std::string> records;
  int made = 0;
  std::thread::id madeOn;

 private:
  std::promise<std::optional<RECT>> m_workArea;
  std::promise<void> m_done;
  std::vector<HWND> m_windows;
};

// What a program does with its first window while the display starts.
void ShowFirstWindow(HWND window) {
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetWindowText(window, "renamed");
  EnableWindow(window, false);
}

TEST_F(StartingHostTest, NoticesReachTheHostOnceMadeInTheOrderAPlainHostGetsThem) {
  std::vector<std::string> plain;
  {
    SetHost(std::make_unique<RecordingHost>(plain));
    const HWND window = MakeNativeWindow(nullptr, WS_CAPTION, RECT{10, 20, 210, 120}, nullptr, "first");
    ShowFirstWindow(window);
    DestroyWindow(window);
  }
  InstallStartingHost();
  const HWND window = Window("first", RECT{10, 20, 210, 120});
  ShowFirstWindow(window);
  EXPECT_EQ(made, 0);
  EXPECT_TRUE(records.empty());
  // The work area is the display's as soon as it is open; the host is still not made.
  DisplayOpened(RECT{0, 0, 800, 600});
  EXPECT_EQ(Text(GetWorkArea()), "0,0 800x600");
  EXPECT_EQ(made, 0);

  StartEnded();
  DestroyWindow(window);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(madeOn, std::this_thread::get_id());
  EXPECT_EQ(records, plain);
  // From now on straight to the host.
  EXPECT_EQ(Text(GetWorkArea()), "0,0 1000x700");
  EXPECT_STREQ(CurrentHost().Name(), "recording");
}

TEST_F(StartingHostTest, AKeptPaintGivesThePictureCurrentWhenTheHostComesAndNoneOfAWindowGone) {
  InstallStartingHost();
  const HWND grown = Window("grown", RECT{0, 0, 100, 100});
  const HWND gone = Window("gone", RECT{0, 0, 50, 50});
  for (HWND window : {grown, gone}) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  // A new size is a new picture: the one painted before is freed.
  MoveWindow(grown, 0, 0, 300, 200);
  DestroyWindow(gone);
  StartEnded();
  StartedHost();

  std::vector<std::string> paints;
  for (const std::string& record : records) {
    if (record.starts_with("painted")) paints.push_back(record.substr(0, record.find(" pixel")));
  }
  // The windows came in as w1 (grown) and w2 (gone).
  EXPECT_EQ(paints, std::vector<std::string>{"painted w1 300x200"});
}

TEST_F(StartingHostTest, AnAnswerWaitsForTheStartWorkOfTheThreadsOwnDoesNot) {
  InstallStartingHost();
  Host& host = CurrentHost();
  std::mutex mutex;
  std::condition_variable cv;
  std::unique_lock lock(mutex);
  host.Wake();
  host.WaitForWork(lock, cv, 1000ms, [] { return true; });
  EXPECT_FALSE(host.HandlePendingEvent());
  EXPECT_EQ(made, 0);

  // No display opened: the work area is the host's, once the start has ended.
  std::thread display([this] {
    std::this_thread::sleep_for(50ms);
    DisplayOpened(std::nullopt);
    std::this_thread::sleep_for(50ms);
    StartEnded();
  });
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(Text(host.WorkArea()), "0,0 1000x700");
  EXPECT_GE(std::chrono::steady_clock::now() - asked, 100ms);
  display.join();
  EXPECT_EQ(made, 1);
  EXPECT_EQ(madeOn, std::this_thread::get_id());
}

}  // namespace
}  // namespace ui
