// Buttons, options and check boxes: what a user's click sends, and that changes made by code send
// nothing.

#include "platform/ui/controls/UIOption.h"

#include <gtest/gtest.h>

#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300">
  <VerticalLayout>
    <Button name="button" height="30" text="go"/>
    <Button name="disabled" height="30" text="no" enabled="false"/>
    <Option name="led_auto" height="30" group="led" selected="true"/>
    <Option name="led_open" height="30" group="led"/>
    <Option name="led_close" height="30" group="led"/>
    <CheckBox name="check" height="30"/>
    <Control/>
  </VerticalLayout>
</Window>)";

class ButtonOptionTest : public ControlsTest {
 protected:
  void SetUp() override { Open(kLayout); }
  bool Selected(const char* name) {
    return driver.Get<bool>([&] { return Find<COptionUI>(name)->IsSelected(); });
  }
};

TEST_F(ButtonOptionTest, ClickSendsClickOnlyFromAnEnabledButton) {
  driver.Click("button");
  driver.Click("disabled");
  EXPECT_EQ(Types("button"), std::vector<std::string>{"click"});
  EXPECT_TRUE(Types("disabled").empty());
}

TEST_F(ButtonOptionTest, PressReleasedOutsideTheButtonIsNoClick) {
  const RECT button = *driver.Rect("button");
  DragThrough({Centre(button), POINT{Centre(button).x, button.bottom + 100}});
  EXPECT_TRUE(Types("button").empty());
}

TEST_F(ButtonOptionTest, GroupClickSelectsOneAndOnlyTheNewlySelectedSendsSelectChanged) {
  // The state is already toggled when "option_click" arrives.
  std::vector<bool> stateAtOptionClick;
  driver.Run([&] {
    window->onNotify = [&](TNotifyUI& msg) {
      if (msg.sType == "option_click") stateAtOptionClick.push_back(static_cast<COptionUI*>(msg.pSender)->IsSelected());
      return false;
    };
  });
  driver.Click("led_open");
  EXPECT_TRUE(Selected("led_open"));
  EXPECT_FALSE(Selected("led_auto"));
  EXPECT_EQ(Types("led_open"), (std::vector<std::string>{"selectchanged", "option_click"}));
  EXPECT_TRUE(Types("led_auto").empty());

  // A click on the option that is already selected changes nothing but still reports the click.
  ClearNotes();
  driver.Click("led_open");
  EXPECT_TRUE(Selected("led_open"));
  EXPECT_EQ(Types("led_open"), std::vector<std::string>{"option_click"});
  EXPECT_EQ(stateAtOptionClick, (std::vector<bool>{true, true}));
}

TEST_F(ButtonOptionTest, CheckBoxTogglesAndReportsItsNewState) {
  std::vector<bool> states;
  driver.Run([&] {
    window->onNotify = [&](TNotifyUI& msg) {
      if (msg.sType == "option_click") states.push_back(static_cast<COptionUI*>(msg.pSender)->IsSelected());
      return false;
    };
  });
  driver.Click("check");
  driver.Click("check");
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
  // Only becoming selected is a selection change.
  EXPECT_EQ(Types("check"), (std::vector<std::string>{"selectchanged", "option_click", "option_click"}));
}

TEST_F(ButtonOptionTest, SelectedFromCodeClearsTheGroupAndSendsNothing) {
  driver.Run([&] {
    Find<COptionUI>("led_close")->Selected(true);
    Find<COptionUI>("check")->Selected(true);
  });
  EXPECT_TRUE(Selected("led_close"));
  EXPECT_FALSE(Selected("led_auto"));
  EXPECT_FALSE(Selected("led_open"));
  for (const char* option : {"led_auto", "led_open", "led_close", "check"}) EXPECT_TRUE(Types(option).empty()) << option;
}

TEST_F(ButtonOptionTest, ReturnAndSpaceOnAFocusedButtonAreClicks) {
  driver.Click("button");
  ClearNotes();
  driver.PressKey(VK_RETURN);
  driver.PressKey(VK_SPACE);
  EXPECT_EQ(Types("button"), (std::vector<std::string>{"click", "click"}));
}

// A button with one plain colour per state, and the picture the window shows of it.
class ButtonImageTest : public ControlsTest {
 protected:
  static constexpr DWORD kNormal = 0xFF2060A0;
  static constexpr DWORD kHot = 0xFF40A040;
  static constexpr DWORD kDisabled = 0xFF808080;

  void SetUp() override {
    for (const auto& [name, colour] : {std::pair{"normal.png", kNormal}, std::pair{"hot.png", kHot},
                                       std::pair{"disabled.png", kDisabled}}) {
      Canvas canvas(8, 8);
      canvas.Clear(colour);
      m_skin.Add(name, canvas.EncodePng().value());
    }
    Open(R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="200,100">
  <VerticalLayout>
    <Button name="button" height="40" normalimage="normal.png" hotimage="hot.png" disabledimage="disabled.png"/>
    <Button name="plain" height="40" normalimage="normal.png" hotimage="missing.png"/>
    <Control/>
  </VerticalLayout>
</Window>)");
  }
  RECT Pos(const char* name) {
    return driver.Get<RECT>([&] { return Find<CButtonUI>(name)->GetPos(); });
  }
  DWORD Shown(const char* name) {
    const POINT centre = Centre(Pos(name));
    driver.WaitUntilIdle();
    return driver.Get<DWORD>([&] { return HostWindowPicture(hwnd)->ColorAt(centre.x, centre.y); });
  }
};

TEST_F(ButtonImageTest, NormalHotAndDisabledShowTheirImages) {
  EXPECT_EQ(Shown("button"), kNormal);
  MoveMouse(Centre(Pos("button")));
  EXPECT_EQ(Shown("button"), kHot);
  MoveMouse(POINT{Centre(Pos("button")).x, 95});
  EXPECT_EQ(Shown("button"), kNormal);
  driver.Run([&] { Find<CButtonUI>("button")->SetEnabled(false); });
  EXPECT_EQ(Shown("button"), kDisabled);
}

TEST_F(ButtonImageTest, AStateImageThatCannotBeLoadedFallsBackToTheNormalImage) {
  MoveMouse(Centre(Pos("plain")));
  EXPECT_EQ(Shown("plain"), kNormal);
}

}  // namespace
}  // namespace ui::testing
