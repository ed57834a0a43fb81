// Input routing of the paint manager: focus, capture, hot tracking, clicks, keys, wheel, timers,
// filters and the delayed clean-up of controls removed while they handle their own events.

#include "platform/ui/core/UIManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {
namespace {

const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="300,400">
  <VerticalLayout name="root">
    <Probe name="first" height="40"/>
    <Probe name="second" height="40"/>
    <Probe name="third" height="40"/>
    <VerticalLayout name="scroller" height="100" vscrollbar="true">
      <Probe name="row1" height="60"/>
      <Probe name="row2" height="60"/>
      <Probe name="row3" height="60"/>
    </VerticalLayout>
    <Control/>
  </VerticalLayout>
</Window>)";

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_skin.Add("input.xml", kLayout);
    ASSERT_TRUE(m_skin.Install());
    driver.Run([&] {
      window = new RecordingWindow;
      window->CreateWnd("input.xml", nullptr, "input", &factory);
      window->ShowWindow(true, true);
    });
    hwnd = driver.FindWindow("input");
    ASSERT_NE(hwnd, nullptr);
  }

  ProbeControl* Probe(const char* name) { return window->Probe(name); }
  std::vector<int> Events(const char* name) {
    return driver.Get<std::vector<int>>([&] { return Probe(name)->events; });
  }
  void ClearEvents() {
    driver.Run([&] {
      for (const char* name : {"first", "second", "third"}) Probe(name)->events.clear();
      window->notifications.clear();
    });
  }
  bool Has(const std::vector<int>& events, int type) {
    return std::find(events.begin(), events.end(), type) != events.end();
  }

  test::Driver driver;
  TestSkin m_skin;
  ProbeFactory factory;
  RecordingWindow* window = nullptr;
  HWND hwnd = nullptr;
};

TEST_F(InputTest, PressFocusesTheControlAndFocusMovesWithKillAndSetFocusEvents) {
  driver.Click("first");
  driver.Run([&] { EXPECT_EQ(window->Manager().GetFocus(), Probe("first")); });
  ClearEvents();
  driver.Click("second");
  EXPECT_TRUE(Has(Events("first"), UIEVENT_KILLFOCUS));
  const auto second = Events("second");
  ASSERT_TRUE(Has(second, UIEVENT_SETFOCUS));
  // The focus arrives before the press that caused it.
  EXPECT_LT(std::find(second.begin(), second.end(), UIEVENT_SETFOCUS) - second.begin(),
            std::find(second.begin(), second.end(), UIEVENT_BUTTONDOWN) - second.begin());
  driver.Run([&] {
    EXPECT_TRUE(window->Saw("killfocus", "first"));
    EXPECT_TRUE(window->Saw("setfocus", "second"));
    EXPECT_TRUE(Probe("second")->IsFocused());
    EXPECT_FALSE(Probe("first")->IsFocused());
  });
}

TEST_F(InputTest, TabMovesTheFocusAlongTheTabStopsAndShiftTabBack) {
  driver.Run([&] { Probe("second")->SetFlags(0); });  // no tab stop
  driver.Click("first");
  const std::vector<std::pair<bool, const char*>> steps = {
      {false, "third"}, {false, "row1"}, {true, "third"}, {true, "first"}, {true, "row3"}};
  for (const auto& step : steps) {
    const bool shift = step.first;
    const char* expected = step.second;
    if (shift) driver.KeyDown(VK_SHIFT);
    driver.PressKey(VK_TAB);
    if (shift) driver.KeyUp(VK_SHIFT);
    driver.Run([&] { EXPECT_EQ(window->Manager().GetFocus(), Probe(expected)) << expected; });
  }
}

TEST_F(InputTest, TabMovesTheFocusAlsoWhileAChildWindowHasTheKeyboard) {
  driver.Click("first");
  driver.Run([&] {
    CreateWindowParams params;
    params.className = "Edit";
    params.style = WS_CHILD | WS_VISIBLE;
    params.rect = RECT{0, 0, 50, 20};
    params.parent = hwnd;
    SetFocus(CreateNativeWindow(params));
  });
  driver.PressKey(VK_TAB);
  driver.Run([&] {
    EXPECT_EQ(window->Manager().GetFocus(), Probe("second"));
    EXPECT_EQ(GetFocus(), hwnd);  // the window took the keyboard back from its child
  });
}

TEST_F(InputTest, KeysAndTypedCharactersGoToTheFocusedControl) {
  driver.Click("second");
  driver.PressKey('X');
  driver.TypeText(reinterpret_cast<const char*>(u8"中a"));
  driver.Run([&] {
    EXPECT_EQ(Probe("second")->keys, std::vector<WPARAM>{'X'});
    const std::string gbk = "\xD6\xD0";  // 中
    const WPARAM wide = static_cast<unsigned char>(gbk[0]) | (static_cast<WPARAM>(static_cast<unsigned char>(gbk[1])) << 8);
    EXPECT_EQ(Probe("second")->chars, (std::vector<WPARAM>{wide, 'a'}));
    EXPECT_TRUE(Probe("first")->chars.empty());
  });
}

TEST_F(InputTest, CapturedPressKeepsTheMouseUntilRelease) {
  const auto first = driver.Rect("first");
  const auto third = driver.Rect("third");
  ASSERT_TRUE(first && third);
  const POINT from{(first->left + first->right) / 2, (first->top + first->bottom) / 2};
  const POINT to{(third->left + third->right) / 2, (third->top + third->bottom) / 2};
  ClearEvents();
  driver.DragAt(hwnd, from, to, 3);
  const auto events = Events("first");
  EXPECT_GE(std::count(events.begin(), events.end(), UIEVENT_MOUSEMOVE), 3);
  EXPECT_TRUE(Has(events, UIEVENT_BUTTONUP));
  EXPECT_FALSE(Has(Events("third"), UIEVENT_BUTTONUP));
  EXPECT_FALSE(Has(Events("third"), UIEVENT_MOUSEMOVE));
  // Released outside: no click.
  driver.Run([&] { EXPECT_FALSE(window->Saw("click", "first")); });
}

TEST_F(InputTest, HoverEntersAndLeavesControls) {
  driver.Hover("first");
  driver.Hover("second");
  EXPECT_TRUE(Has(Events("first"), UIEVENT_MOUSEENTER));
  EXPECT_TRUE(Has(Events("first"), UIEVENT_MOUSELEAVE));
  EXPECT_TRUE(Has(Events("second"), UIEVENT_MOUSEENTER));
  EXPECT_FALSE(Has(Events("second"), UIEVENT_MOUSELEAVE));
  driver.Run([&] { EXPECT_EQ(window->Manager().GetHotControl(), Probe("second")); });
}

TEST_F(InputTest, SecondPressInPlaceIsADoubleClickButSeparateClicksAreNot) {
  ClearEvents();
  driver.DoubleClick("first");
  EXPECT_EQ(Events("first"), (std::vector<int>{UIEVENT_MOUSEENTER, UIEVENT_MOUSEMOVE, UIEVENT_SETFOCUS,
                                               UIEVENT_BUTTONDOWN, UIEVENT_BUTTONUP, UIEVENT_DBLCLICK,
                                               UIEVENT_BUTTONUP}));
  ClearEvents();
  driver.Click("first");
  driver.Click("first");
  EXPECT_FALSE(Has(Events("first"), UIEVENT_DBLCLICK));
}

TEST_F(InputTest, RightClickSendsRightButtonDownThenContextMenu) {
  ClearEvents();
  driver.RightClick("third");
  const auto events = Events("third");
  auto down = std::find(events.begin(), events.end(), UIEVENT_RBUTTONDOWN);
  auto menu = std::find(events.begin(), events.end(), UIEVENT_CONTEXTMENU);
  ASSERT_NE(down, events.end());
  ASSERT_NE(menu, events.end());
  EXPECT_LT(down, menu);
}

TEST_F(InputTest, WheelOverAChildScrollsItsContainer) {
  const auto before = driver.Rect("row1");
  driver.Wheel("row1", -120);
  const auto after = driver.Rect("row1");
  ASSERT_TRUE(before && after);
  EXPECT_LT(after->top, before->top);
  driver.Run([&] {
    auto* scroller = static_cast<CContainerUI*>(window->Manager().FindControl("scroller"));
    EXPECT_GT(scroller->GetScrollPos().cy, 0);
    EXPECT_EQ(scroller->GetScrollRange().cy, 80);
  });
  for (int i = 0; i < 5; ++i) driver.Wheel("row2", -120);
  driver.Run([&] {
    auto* scroller = static_cast<CContainerUI*>(window->Manager().FindControl("scroller"));
    EXPECT_EQ(scroller->GetScrollPos().cy, 80);  // never past the end
  });
}

TEST_F(InputTest, DisabledControlGetsNoPresses) {
  driver.Run([&] { Probe("first")->SetEnabled(false); });
  ClearEvents();
  driver.Click("first");
  EXPECT_FALSE(Has(Events("first"), UIEVENT_BUTTONDOWN));
  driver.Run([&] { EXPECT_FALSE(window->Saw("click", "first")); });
}

class EscapeEater : public IMessageFilterUI {
 public:
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
    seen.push_back(message);
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) handled = true;
    return 0;
  }
  std::vector<UINT> seen;
};

TEST_F(InputTest, PreMessageFiltersSeeMessagesFirstAndMayKeepThem) {
  EscapeEater filter;
  driver.Run([&] { window->Manager().AddPreMessageFilter(&filter); });
  driver.Click("first");
  driver.PressKey(VK_ESCAPE);
  driver.PressKey(VK_RETURN);
  driver.Run([&] {
    EXPECT_EQ(Probe("first")->keys, std::vector<WPARAM>{VK_RETURN});
    EXPECT_NE(std::find(filter.seen.begin(), filter.seen.end(), WM_LBUTTONDOWN), filter.seen.end());
    window->Manager().RemovePreMessageFilter(&filter);
  });
}

TEST_F(InputTest, AControlMayRemoveItselfInsideItsOwnClick) {
  int deleted = 0;
  driver.Run([&] {
    auto* probe = Probe("second");
    probe->onEvent = [probe, &deleted](TEventUI& event) {
      if (event.Type != UIEVENT_BUTTONUP) return false;
      auto* parent = static_cast<CContainerUI*>(probe->GetParent());
      parent->Remove(probe);
      // Still alive here: the framework deletes it after this event.
      probe->SetText("still here");
      probe->onEvent = nullptr;
      deleted = -1;
      return true;
    };
    window->onNotify = [&](TNotifyUI&) { return false; };
  });
  driver.Click("second");
  EXPECT_EQ(deleted, -1);
  EXPECT_FALSE(driver.Exists("second"));
  driver.Run([&] {
    EXPECT_EQ(window->Manager().GetHotControl(), nullptr);
    EXPECT_EQ(window->Manager().GetFocus(), nullptr);
  });
}

TEST_F(InputTest, TimersNotifyTheirControlAndStopWhenKilled) {
  driver.Run([&] { window->Manager().SetTimer(Probe("first"), 7, 100); });
  driver.AdvanceClock(std::chrono::milliseconds(350));
  auto timers = [&] {
    return driver.Get<int>([&] {
      int count = 0;
      for (const auto& n : window->notifications) count += (n.type == "timer" && n.sender == "first" && n.wParam == 7) ? 1 : 0;
      return count;
    });
  };
  EXPECT_EQ(timers(), 3);
  driver.Run([&] { window->Manager().KillTimer(Probe("first"), 7); });
  driver.AdvanceClock(std::chrono::milliseconds(500));
  EXPECT_EQ(timers(), 3);
}

TEST_F(InputTest, TimersKeepRunningInsideAProgramsOwnDragLoop) {
  int movesSeen = 0;
  driver.Run([&] {
    window->Manager().SetTimer(Probe("third"), 1, 40);
    auto* probe = Probe("first");
    probe->onEvent = [&, probe](TEventUI& event) {
      if (event.Type != UIEVENT_BUTTONDOWN) return false;
      // The loop a program runs while the user drags a shape.
      const HWND paint = probe->GetManager()->GetPaintWindow();
      SetCapture(paint);
      MSG msg;
      while (GetMessage(&msg, nullptr, 0, 0)) {
        if (msg.hwnd == paint && msg.message == WM_LBUTTONUP) break;
        if (msg.hwnd == paint && msg.message == WM_MOUSEMOVE) {
          ++movesSeen;
          continue;
        }
        DispatchMessage(&msg);
      }
      ReleaseCapture();
      return true;
    };
  });
  const auto rc = driver.Rect("first");
  ASSERT_TRUE(rc.has_value());
  const POINT pt{rc->left + 5, rc->top + 5};
  driver.Run([&] { HostMouseEvent(hwnd, WM_LBUTTONDOWN, pt, MK_LBUTTON); });
  driver.AdvanceClock(std::chrono::milliseconds(200));
  driver.Run([&] {
    HostMouseEvent(hwnd, WM_MOUSEMOVE, POINT{pt.x + 3, pt.y}, MK_LBUTTON);
    HostMouseEvent(hwnd, WM_LBUTTONUP, POINT{pt.x + 3, pt.y}, 0);
  });
  EXPECT_EQ(movesSeen, 1);
  EXPECT_EQ(driver.Get<int>([&] { return Probe("third")->Count(UIEVENT_TIMER); }), 5);
}

TEST_F(InputTest, SendNotifyIsSynchronousAndSkipsANotifierRemovedMeanwhile) {
  struct Recorder : INotifyUI {
    void Notify(TNotifyUI& msg) override { seen.push_back(msg.sType.Str() + ":" + std::to_string(msg.wParam)); }
    std::vector<std::string> seen;
  } later;
  struct Remover : INotifyUI {
    void Notify(TNotifyUI&) override { manager->RemoveNotifier(other); }
    CPaintManagerUI* manager = nullptr;
    INotifyUI* other = nullptr;
  } remover;
  driver.Run([&] {
    CPaintManagerUI& pm = window->Manager();
    remover.manager = &pm;
    remover.other = &later;
    pm.AddNotifier(&later);
    pm.SendNotify(Probe("first"), "custom", 5, 6);
    EXPECT_EQ(later.seen, std::vector<std::string>{"custom:5"});  // already delivered on return
    pm.RemoveNotifier(&later);
    pm.AddNotifier(&remover);
    pm.AddNotifier(&later);
    pm.SendNotify(Probe("first"), "second", 1, 0);
    EXPECT_EQ(later.seen, std::vector<std::string>{"custom:5"});
    pm.RemoveNotifier(&remover);
  });
}

TEST_F(InputTest, AsynchronousNotificationsFollowTheMessageAndDropSendersRemovedMeanwhile) {
  ClearEvents();
  driver.Run([&] {
    window->onNotify = [&](TNotifyUI& msg) {
      if (msg.sType == "one") {
        auto* third = Probe("third");
        static_cast<CContainerUI*>(third->GetParent())->Remove(third);
      }
      return false;
    };
    CPaintManagerUI& pm = window->Manager();
    pm.SendNotify(Probe("first"), "one", 0, 0, true);
    pm.SendNotify(Probe("third"), "two", 0, 0, true);
    pm.SendNotify(Probe("second"), "three", 0, 0, true);
    EXPECT_TRUE(window->notifications.empty());  // nothing before the current message is done
  });
  driver.WaitUntilIdle();
  const auto types = driver.Get<std::vector<std::string>>([&] {
    std::vector<std::string> seen;
    for (const auto& n : window->notifications) seen.push_back(n.type + ":" + n.sender);
    return seen;
  });
  EXPECT_EQ(types, (std::vector<std::string>{"one:first", "three:second"}));
}

TEST_F(InputTest, ANotifierMayEndThePaintManagerWhileAsynchronousNotificationsWait) {
  struct Ender : INotifyUI {
    void Notify(TNotifyUI&) override {
      ++seen;
      manager.reset();
    }
    std::unique_ptr<CPaintManagerUI> manager;
    int seen = 0;
  } ender;
  driver.Run([&] {
    ender.manager = std::make_unique<CPaintManagerUI>();
    ender.manager->Init(hwnd);
    ender.manager->AddNotifier(&ender);
    ender.manager->SendNotify(Probe("first"), "one", 0, 0, true);
    ender.manager->SendNotify(Probe("first"), "two", 0, 0, true);
  });
  driver.WaitUntilIdle();
  EXPECT_EQ(driver.Get<int>([&] { return ender.seen; }), 1);
}

}  // namespace
}  // namespace ui::testing
