// Windows, modal loops, closing and deletion, through the test driver on the headless host.

#include "platform/ui/core/UIWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {
namespace {

const char* const kMainLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300">
  <VerticalLayout name="root" bkcolor="#FFF0F4F8">
    <Probe name="a" height="40"/>
    <Probe name="b" height="40"/>
    <Probe name="closebtn" height="30"/>
  </VerticalLayout>
</Window>)";

const char* const kDialogLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="200,120">
  <VerticalLayout>
    <Probe name="ok" height="30"/>
    <Probe name="nested" height="30"/>
    <Probe name="closebtn" height="30"/>
  </VerticalLayout>
</Window>)";

const char* const kNestedLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300">
  <VerticalLayout bkcolor="#FFF0F4F8">
    <Probe name="above" height="40"/>
    <VerticalLayout name="inner" height="150">
      <Probe name="grows" height="40"/>
      <Probe name="moves" height="30"/>
    </VerticalLayout>
    <Probe name="closebtn" height="30"/>
  </VerticalLayout>
</Window>)";

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_skin.Add("main.xml", kMainLayout).Add("dialog.xml", kDialogLayout).Add("nested.xml", kNestedLayout);
    ASSERT_TRUE(m_skin.Install());
  }

  // Creates, centres and shows a main window (it ends the message loop when destroyed).
  RecordingWindow* OpenMain() {
    RecordingWindow* window = nullptr;
    driver.Run([&] {
      window = new RecordingWindow(&destroyed);
      window->CreateWnd("main.xml", nullptr, "main", &factory, false, false, true, 1);
      window->CenterWindow();
      window->ShowWindow(true, true);
    });
    return window;
  }

  // Makes a click on "a" of `owner` open the dialog modally; the result and a member read after
  // ShowModal returned are kept.
  void OpenDialogOnClick(RecordingWindow* owner, const char* sender = "a") {
    owner->onNotify = [this, owner, sender](TNotifyUI& msg) {
      if (msg.sType != "click" || msg.pSender->GetName() != sender) return false;
      auto* dialog = new RecordingWindow(&destroyed);
      dialog->onNotify = [dialog](TNotifyUI& n) {
        if (n.sType == "click" && n.pSender->GetName() == "ok") {
          dialog->label = "confirmed";
          dialog->Close(IDOK);
          return true;
        }
        return false;
      };
      dialog->CreateWnd("dialog.xml", owner->GetHWND(), "dialog", &factory);
      dialog->CenterWindow();
      modalResult = static_cast<int>(dialog->ShowModal());
      labelAfterModal = dialog->label;  // the dialog object still lives here
      return true;
    };
  }

  test::Driver driver;
  TestSkin m_skin;
  ProbeFactory factory;
  int destroyed = 0;
  int modalResult = -1;
  std::string labelAfterModal;
};

TEST_F(WindowTest, CreateWndBuildsTheLayoutThenBindsAndShowsCentred) {
  RecordingWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  const HWND hwnd = driver.FindWindow("main");
  ASSERT_NE(hwnd, nullptr);
  driver.Run([&] {
    EXPECT_EQ(window->bindCount, 1);
    EXPECT_EQ(window->GetHWND(), hwnd);
    EXPECT_NE(window->Manager().FindControl("a"), nullptr);
    EXPECT_EQ(window->Manager().GetPaintWindow(), hwnd);
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(RectWidth(rc), 400);
    EXPECT_EQ(RectHeight(rc), 300);
    const RECT work = GetWorkArea();
    EXPECT_EQ(rc.left, work.left + (RectWidth(work) - 400) / 2);
    EXPECT_EQ(rc.top, work.top + (RectHeight(work) - 300) / 2);
    EXPECT_EQ(GetActiveWindow(), hwnd);
  });
  EXPECT_TRUE(window->Saw("windowinit", "root"));
}

TEST_F(WindowTest, ARoundCornerFromTheLayoutLeavesTheCornersOfThePictureTransparent) {
  m_skin.Add("round.xml", R"(<Window size="120,80" roundcorner="16,16"><VerticalLayout bkcolor="#FF204060"/></Window>)");
  ASSERT_TRUE(m_skin.Install());
  driver.Run([&] {
    auto* window = new RecordingWindow(&destroyed);
    window->CreateWnd("round.xml", nullptr, "round", &factory);
    window->ShowWindow(true, false);
    const Canvas* picture = HostWindowPicture(window->GetHWND());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->ColorAt(0, 0) >> 24, 0u);
    EXPECT_EQ(picture->ColorAt(119, 79) >> 24, 0u);
    EXPECT_EQ(picture->ColorAt(60, 40), 0xFF204060u);
    EXPECT_EQ(picture->ColorAt(60, 0), 0xFF204060u);
  });
}

TEST_F(WindowTest, ALayoutChangeRepaintsWhatItMovesInOnePaint) {
  RecordingWindow* window = nullptr;
  std::vector<RECT> painted;
  driver.Run([&] {
    window = new RecordingWindow(&destroyed);
    window->CreateWnd("nested.xml", nullptr, "nested", &factory, false, false, true, 1);
    window->ShowWindow(true, true);
    window->onMessage = [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
      if (message == WM_PAINT) painted.push_back(reinterpret_cast<HDC>(wParam)->ClipBox());
      return false;
    };
  });
  driver.WaitUntilIdle();
  driver.Run([&] {
    painted.clear();
    window->Probe("grows")->SetFixedHeight(60);
  });
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].left, 0);
  EXPECT_EQ(painted[0].top, 40);  // "above" stays as it was
  EXPECT_EQ(painted[0].right, 400);
  EXPECT_EQ(painted[0].bottom, 190);
  EXPECT_EQ(driver.Get<RECT>([&] { return window->Probe("moves")->GetPos(); }).top, 100);
}

TEST_F(WindowTest, ClickSendsClickFromTheControlUnderThePointer) {
  RecordingWindow* window = OpenMain();
  ASSERT_TRUE(driver.Click("b"));
  driver.Run([&] {
    EXPECT_TRUE(window->Saw("click", "b"));
    EXPECT_FALSE(window->Saw("click", "a"));
  });
}

TEST_F(WindowTest, CloseIsAsynchronous) {
  RecordingWindow* window = OpenMain();
  const HWND hwnd = driver.FindWindow("main");
  driver.Run([&] {
    window->Close(IDOK);
    EXPECT_TRUE(IsWindow(hwnd));  // only asked; the window goes at its WM_CLOSE
    EXPECT_EQ(destroyed, 0);
  });
  EXPECT_FALSE(driver.Get<bool>([&] { return IsWindow(hwnd); }));
  EXPECT_EQ(destroyed, 1);
}

TEST_F(WindowTest, CloseButtonClosesAndTheFrameworkDeletesTheWindowAndEndsTheLoop) {
  OpenMain();
  ASSERT_TRUE(driver.Click("closebtn"));
  EXPECT_EQ(driver.FindWindow("main"), nullptr);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(driver.QuitCount(), 1);
}

TEST_F(WindowTest, PostingToAWindowThatIsGoneFailsAndQueuedMessagesAreDropped) {
  RecordingWindow* window = OpenMain();
  const HWND hwnd = driver.FindWindow("main");
  int handled = 0;
  driver.Run([&] {
    window->onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
      if (message == WM_USER + 7) ++handled;
      return false;
    };
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(PostMessage(hwnd, WM_USER + 7, 0, 0));
    DestroyWindow(hwnd);
    EXPECT_FALSE(PostMessage(hwnd, WM_USER + 7, 0, 0));
    EXPECT_FALSE(IsWindow(hwnd));
  });
  driver.WaitUntilIdle();
  EXPECT_EQ(handled, 0);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(WindowTest, ShowModalDisablesTheOwnerAndReturnsTheCloseCodeWithTheDialogStillReadable) {
  RecordingWindow* main = OpenMain();
  OpenDialogOnClick(main);
  EXPECT_TRUE(driver.Click("a"));  // returns while the modal loop waits
  const HWND dialog = driver.FindWindow("dialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(driver.ActiveWindow(), dialog);
  const HWND mainWindow = driver.FindWindow("main");
  EXPECT_FALSE(driver.Get<bool>([&] { return IsWindowEnabled(mainWindow); }));
  // The disabled owner takes no clicks.
  EXPECT_TRUE(driver.Click("b", mainWindow));
  EXPECT_FALSE(driver.Get<bool>([&] { return main->Saw("click", "b"); }));

  EXPECT_TRUE(driver.Click("ok", dialog));
  EXPECT_EQ(modalResult, IDOK);
  EXPECT_EQ(labelAfterModal, "confirmed");
  EXPECT_EQ(driver.FindWindow("dialog"), nullptr);
  EXPECT_EQ(destroyed, 1);  // the dialog, after its ShowModal returned
  EXPECT_TRUE(driver.Get<bool>([&] { return IsWindowEnabled(mainWindow); }));
  EXPECT_EQ(driver.ActiveWindow(), mainWindow);
}

TEST_F(WindowTest, AModalDialogDestroyedBetweenMessagesEndsItsLoopWithoutFurtherInput) {
  RecordingWindow* main = OpenMain();
  OpenDialogOnClick(main);
  driver.Click("a");
  const HWND dialog = driver.FindWindow("dialog");
  ASSERT_NE(dialog, nullptr);
  const HWND mainWindow = driver.FindWindow("main");
  // The driver's code is no message of the modal loop's.
  EXPECT_TRUE(driver.Run([&] { DestroyWindow(dialog); }));
  EXPECT_EQ(modalResult, IDCANCEL);
  EXPECT_TRUE(driver.Get<bool>([&] { return IsWindowEnabled(mainWindow); }));
  EXPECT_TRUE(driver.Click("b", mainWindow));
  EXPECT_TRUE(driver.Get<bool>([&] { return main->Saw("click", "b"); })) << "the next click is the owner's";
}

TEST_F(WindowTest, TimersOfTheOwnerKeepRunningWhileAModalDialogIsOpen) {
  RecordingWindow* main = OpenMain();
  OpenDialogOnClick(main);
  driver.Run([&] { main->Manager().SetTimer(main->Probe("b"), 3, 50); });
  driver.Click("a");
  ASSERT_NE(driver.FindWindow("dialog"), nullptr);
  driver.AdvanceClock(std::chrono::milliseconds(500));
  EXPECT_EQ(driver.Get<int>([&] { return main->Probe("b")->Count(UIEVENT_TIMER); }), 10);
  driver.Click("ok", driver.FindWindow("dialog"));
  EXPECT_EQ(modalResult, IDOK);
}

TEST_F(WindowTest, ADialogItsOwnerDeletesAfterShowModalIsNotDeletedAgain) {
  RecordingWindow* main = OpenMain();
  main->onNotify = [&, main](TNotifyUI& msg) {
    if (msg.sType != "click" || msg.pSender->GetName() != "a") return false;
    auto* dialog = new RecordingWindow(&destroyed);
    dialog->CreateWnd("dialog.xml", main->GetHWND(), "dialog", &factory);
    dialog->ShowModal();
    delete dialog;
    return true;
  };
  driver.Click("a");
  driver.Click("closebtn", driver.FindWindow("dialog"));
  EXPECT_EQ(destroyed, 1);
}

TEST_F(WindowTest, NestedModalLoopsUnwindInOrder) {
  RecordingWindow* main = OpenMain();
  std::vector<std::string> order;
  main->onNotify = [&, main](TNotifyUI& msg) {
    if (msg.sType != "click" || msg.pSender->GetName() != "a") return false;
    auto* outer = new RecordingWindow(&destroyed);
    outer->onNotify = [&, outer](TNotifyUI& n) {
      if (n.sType != "click" || n.pSender->GetName() != "nested") return false;
      auto* inner = new RecordingWindow(&destroyed);
      inner->CreateWnd("dialog.xml", outer->GetHWND(), "inner", &factory);
      inner->ShowModal();
      order.push_back("inner returned");
      return true;
    };
    outer->CreateWnd("dialog.xml", main->GetHWND(), "outer", &factory);
    outer->ShowModal();
    order.push_back("outer returned");
    return true;
  };
  driver.Click("a");
  const HWND outer = driver.FindWindow("outer");
  ASSERT_NE(outer, nullptr);
  driver.Click("nested", outer);
  const HWND inner = driver.FindWindow("inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_FALSE(driver.Get<bool>([&] { return IsWindowEnabled(outer); }));

  driver.Click("closebtn", inner);
  EXPECT_EQ(order, std::vector<std::string>{"inner returned"});
  EXPECT_TRUE(driver.Get<bool>([&] { return IsWindowEnabled(outer); }));
  driver.Click("closebtn", outer);
  EXPECT_EQ(order, (std::vector<std::string>{"inner returned", "outer returned"}));
  EXPECT_EQ(destroyed, 2);
}

TEST_F(WindowTest, FrameCloseCommandGoesThroughTheCloseButtonsNotification) {
  RecordingWindow* main = OpenMain();
  bool refuse = true;
  main->onNotify = [&](TNotifyUI& msg) { return refuse && msg.sType == "click" && msg.pSender->GetName() == "closebtn"; };
  const HWND hwnd = driver.FindWindow("main");
  driver.Run([&] { HostCloseRequest(hwnd); });
  EXPECT_NE(driver.FindWindow("main"), nullptr);  // the window's own handling refused
  EXPECT_TRUE(driver.Get<bool>([&] { return main->Saw("click", "closebtn"); }));
  refuse = false;
  driver.Run([&] { HostCloseRequest(hwnd); });
  EXPECT_EQ(driver.FindWindow("main"), nullptr);
}

}  // namespace
}  // namespace ui::testing
