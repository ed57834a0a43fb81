// Combo boxes: a pick in the drop-down (and with the keys) sends "itemselect", code does not; the
// drop-down lends the items a place and gives them back; where it opens.

#include "platform/ui/controls/UICombo.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/UIListLabelElement.h"
#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300">
  <VerticalLayout>
    <Combo name="combo" height="28" width="200">
      <ListLabelElement text="无"/>
      <ListLabelElement text="京"/>
      <ListLabelElement text="沪"/>
    </Combo>
    <Button name="other" height="30" text="other"/>
    <Control/>
  </VerticalLayout>
</Window>)");

class ComboTest : public ControlsTest {
 protected:
  void SetUp() override { Open(kLayout); }
  CComboUI* Combo() { return Find<CComboUI>("combo"); }
  int CurSel() { return driver.Get<int>([&] { return Combo()->GetCurSel(); }); }
  HWND DropDown() { return driver.Get<HWND>([&] { return Combo()->GetDropDownWindow(); }); }
  std::vector<Notification> Selections() {
    std::vector<Notification> found;
    for (const Notification& n : Notes()) {
      if (n.type == "itemselect") found.push_back(n);
    }
    return found;
  }
};

TEST_F(ComboTest, UserPickSendsItemSelectAndTheItemsGoBackToTheBox) {
  ASSERT_TRUE(driver.Select("combo", 2));
  const auto selections = Selections();
  ASSERT_EQ(selections.size(), 1u);
  EXPECT_EQ(selections[0].sender, "combo");
  EXPECT_EQ(selections[0].wParam, 2u);
  EXPECT_EQ(selections[0].lParam, -1);
  EXPECT_EQ(driver.Text("combo"), "沪");
  EXPECT_EQ(DropDown(), nullptr);
  driver.Run([&] {
    for (int i = 0; i < Combo()->GetCount(); ++i) {
      EXPECT_EQ(Combo()->GetItemAt(i)->GetManager(), &window->Manager());
      EXPECT_EQ(Combo()->GetItemAt(i)->GetParent(), Combo());
    }
  });
  // Picking the selected item again changes nothing.
  ClearNotes();
  driver.Select("combo", 2);
  EXPECT_TRUE(Selections().empty());
}

TEST_F(ComboTest, SelectItemFromCodeSendsNothingAndOutOfRangeSelectsNothing) {
  driver.Run([&] {
    EXPECT_TRUE(Combo()->SelectItem(1));
    EXPECT_EQ(Combo()->GetText(), "京");
    EXPECT_FALSE(Combo()->SelectItem(3));
    EXPECT_EQ(Combo()->GetCurSel(), -1);
    EXPECT_EQ(Combo()->GetText(), "");
  });
  driver.WaitUntilIdle();
  EXPECT_TRUE(Selections().empty());
}

TEST_F(ComboTest, KeysInTheDropDownPickAndEscapeClosesIt) {
  driver.Click("combo");
  ASSERT_NE(DropDown(), nullptr);
  driver.PressKey(VK_DOWN);
  driver.PressKey(VK_DOWN);
  EXPECT_EQ(CurSel(), 1);
  EXPECT_EQ(Selections().size(), 2u);
  driver.PressKey(VK_ESCAPE);
  EXPECT_EQ(DropDown(), nullptr);
  EXPECT_EQ(CurSel(), 1);
  // On the closed, focused box the keys pick as well.
  driver.PressKey(VK_UP);
  EXPECT_EQ(CurSel(), 0);
  EXPECT_EQ(Selections().size(), 3u);
}

TEST_F(ComboTest, AClickElsewhereClosesTheDropDownWithoutAPick) {
  driver.Click("combo");
  ASSERT_NE(DropDown(), nullptr);
  driver.Click("other");
  EXPECT_EQ(DropDown(), nullptr);
  EXPECT_EQ(CurSel(), -1);
  EXPECT_TRUE(Selections().empty());
  EXPECT_EQ(Types("other"), std::vector<std::string>{"click"});
}

TEST_F(ComboTest, TheDropDownOpensBelowTheBoxOrAboveItAtTheBottomOfTheWorkArea) {
  struct Case {
    long windowTop;
    bool below;
  };
  for (const Case& c : {Case{100, true}, Case{GetWorkArea().bottom - 60, false}}) {
    driver.Run([&] { MoveWindow(hwnd, 50, static_cast<int>(c.windowTop), 400, 300); });
    driver.Click("combo");
    driver.Run([&] {
      RECT drop{};
      ASSERT_TRUE(GetWindowRect(Combo()->GetDropDownWindow(), &drop));
      POINT top{Combo()->GetPos().left, Combo()->GetPos().top};
      POINT bottom{Combo()->GetPos().left, Combo()->GetPos().bottom};
      ClientToScreen(hwnd, &top);
      ClientToScreen(hwnd, &bottom);
      EXPECT_EQ(drop.left, top.x);
      if (c.below) {
        EXPECT_EQ(drop.top, bottom.y);
      } else {
        EXPECT_EQ(drop.bottom, top.y);
      }
    });
    driver.PressKey(VK_ESCAPE);
  }
}

TEST_F(ComboTest, ChangingTheItemsWhileTheDropDownIsOpenClosesIt) {
  driver.Click("combo");
  ASSERT_NE(DropDown(), nullptr);
  driver.Run([&] {
    Combo()->RemoveAt(0);
    auto* item = new CListLabelElementUI;
    item->SetText("x");
    Combo()->Add(item);
  });
  EXPECT_EQ(DropDown(), nullptr);
  ASSERT_TRUE(driver.Select("combo", 2));
  EXPECT_EQ(driver.Text("combo"), "x");
}

}  // namespace
}  // namespace ui::testing
