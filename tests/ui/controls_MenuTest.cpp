// The popup menu: items appended by code, placement at a screen point, and a pick that reaches
// the notifier as a notification of the item's name.

#include "platform/ui/controls/UIMenu.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/UIMenuElement.h"
#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const char* const kOwner = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300"><VerticalLayout><Button name="more" height="30"/><Control/></VerticalLayout></Window>)";
const char* const kMenu = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="180,10"><VerticalLayout name="menu_root" bkcolor="#FFFFFFFF" inset="2,2,2,2"/></Window>)";

class MenuNotifier : public INotifyUI {
 public:
  void Notify(TNotifyUI& msg) override { types.push_back(msg.sType.Str()); }
  std::vector<std::string> types;
};

class MenuTest : public ControlsTest {
 protected:
  void SetUp() override {
    m_skin.Add("menu.xml", kMenu);
    Open(kOwner);
    driver.Run([&] {
      menu = new CMenuUI;
      ASSERT_NE(menu->CreateMenu("menu.xml", hwnd, "", nullptr, true), nullptr);
      menu->SetNotifier(&notifier);
      menu->AppendItem("menu_web_network", "                         network");
      menu->AppendItem("menu_web_about", "                         about");
    });
  }
  void ShowAt(POINT screen) {
    driver.Run([&] {
      menu->MoveToPos(screen, 10);
      menu->ShowWindow(true, true);
    });
  }
  bool MenuVisible() {
    return driver.Get<bool>([&] { return IsWindowVisible(menu->GetHWND()); });
  }

  CMenuUI* menu = nullptr;
  MenuNotifier notifier;
};

TEST_F(MenuTest, PickSendsTheItemNameToTheNotifierAndHidesTheMenu) {
  ShowAt(POINT{200, 150});
  driver.Run([&] {
    RECT rc{};
    GetWindowRect(menu->GetHWND(), &rc);
    EXPECT_EQ(rc.left, 200);
    EXPECT_EQ(rc.top, 160);
    EXPECT_EQ(menu->GetItemCount(), 2);
    EXPECT_GE(RectHeight(rc), 2 * 26);
  });
  ASSERT_TRUE(driver.Click("menu_web_about", menu->GetHWND()));
  EXPECT_EQ(notifier.types, std::vector<std::string>{"menu_web_about"});
  EXPECT_FALSE(MenuVisible());
  // The menu stays for its owner's life and shows again.
  ShowAt(POINT{20, 20});
  EXPECT_TRUE(MenuVisible());
  driver.Click("menu_web_network", menu->GetHWND());
  EXPECT_EQ(notifier.types, (std::vector<std::string>{"menu_web_about", "menu_web_network"}));
}

TEST_F(MenuTest, EscapeOrAClickOnTheOwnerHidesTheMenuWithoutAPick) {
  ShowAt(POINT{200, 150});
  driver.PressKey(VK_ESCAPE);
  EXPECT_FALSE(MenuVisible());
  ShowAt(POINT{200, 150});
  driver.Click("more");
  EXPECT_FALSE(MenuVisible());
  EXPECT_TRUE(notifier.types.empty());
}

TEST_F(MenuTest, AMenuAtTheEdgeOfTheWorkAreaOpensLeftAndAbove) {
  const RECT work = GetWorkArea();
  ShowAt(POINT{work.right - 5, work.bottom - 5});
  driver.Run([&] {
    RECT rc{};
    GetWindowRect(menu->GetHWND(), &rc);
    EXPECT_LE(rc.right, work.right);
    EXPECT_LE(rc.bottom, work.bottom);
    EXPECT_EQ(rc.right, work.right - 5);
  });
}

}  // namespace
}  // namespace ui::testing
