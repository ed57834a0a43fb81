// The masked date-time edit fields, driven as the operator uses them: digits typed field by field
// into fixed places, refused keys, the keys that go to the window, and the edit window's life.

#include "configtool/controls/EditEXUI.h"

#include <gtest/gtest.h>

#include "configtool/controls/EditEX1UI.h"
#include "tests/configtool/controls/ControlsWindowTest.h"

namespace configtool::test {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="360,160">
  <Font id="0" name="微软雅黑" size="13" default="true"/>
  <VerticalLayout inset="10,10,10,10" childpadding="8">
    <EditEX name="full" height="28" width="200"/>
    <EditEX1 name="time" height="28" width="120"/>
    <Button name="other" height="28" width="80" text="other"/>
  </VerticalLayout>
</Window>)");

class MaskedEditTest : public ControlsWindowTest {
 protected:
  void SetUp() override {
    ControlsWindowTest::SetUp();
    Open(kLayout);
    m_full = Find<CEditEXUI>("full");
    m_time = Find<CEditEX1UI>("time");
    ASSERT_NE(m_full, nullptr);
    ASSERT_NE(m_time, nullptr);
  }
  // Used on the window thread only (inside driver.Run), or handed to the helpers below.
  CEditEXUI* Full() { return m_full; }
  CEditEX1UI* Time() { return m_time; }
  std::string Value(CMaskedEditUI* edit) {
    return driver.Get<std::string>([&] { return edit->GetValue().Format().Str(); });
  }
  void SetValue(CMaskedEditUI* edit, int year, int month, int day, int hour, int minute, int second) {
    driver.Run([&] {
      DateTimeValue value;
      ASSERT_TRUE(value.SetDateTime(year, month, day, hour, minute, second));
      edit->SetValue(value);
    });
  }
  HWND EditWindow(CMaskedEditUI* edit) {
    return driver.Get<HWND>([&] { return edit->GetEditWindow(); });
  }

 private:
  CEditEXUI* m_full = nullptr;
  CEditEX1UI* m_time = nullptr;
};

TEST_F(MaskedEditTest, StartsWithTheClocksTimeInItsForm) {
  EXPECT_EQ(driver.Text("full"), "2026-01-01 08:00:00");
  EXPECT_EQ(driver.Text("time"), "08:00:00");
  driver.Run([&] {
    EXPECT_EQ(Full()->GetInterface("EditEX"), Full());
    EXPECT_EQ(Full()->GetInterface("Edit1EX"), nullptr);
    EXPECT_EQ(Time()->GetInterface("Edit1EX"), Time());
    EXPECT_EQ(Time()->GetInterface("EditEX"), nullptr);
    EXPECT_STREQ(Full()->GetClass(), "EditEXUI");
    EXPECT_STREQ(Time()->GetClass(), "EditEX1UI");
    EXPECT_EQ(Full()->GetControlFlags(), 3u);
  });
}

TEST_F(MaskedEditTest, DigitsGoIntoTheSelectedFieldOneByOne) {
  ASSERT_TRUE(driver.SelectEditField("full", 9));
  EXPECT_EQ(FocusSelection(), (std::pair<long, long>(8, 10)));
  Type("1");
  EXPECT_EQ(FocusText(), "2026-01-11 08:00:00");
  Type("5");
  EXPECT_EQ(FocusText(), "2026-01-15 08:00:00");
  EXPECT_EQ(Value(Full()), "2026-01-15 08:00:00");
  EXPECT_EQ(driver.Text("full"), "2026-01-15 08:00:00");
  EXPECT_EQ(Count("textchanged", "full"), 2);
  // The caret steps over the separator into the next field.
  Type("23");
  EXPECT_EQ(FocusText(), "2026-01-15 23:00:00");
  ASSERT_TRUE(driver.SelectEditField("full", 1));
  Type("2031");
  EXPECT_EQ(Value(Full()), "2031-01-15 23:00:00");
  // Past the last digit there is nowhere to type: the key changes nothing.
  ASSERT_TRUE(driver.SelectEditField("full", 18));
  ClearNotes();
  Type("597");
  EXPECT_EQ(FocusText(), "2031-01-15 23:00:59");
  EXPECT_EQ(Count("textchanged", "full"), 2);

  ASSERT_TRUE(driver.SelectEditField("time", 4));
  Type("45");
  EXPECT_EQ(driver.Text("time"), "08:45:00");
}

// A half-typed day never becomes the value: 3 then 0 over February's 29 gives 39 and 30, neither
// of them a day of February, so the value stays the 29th, no "textchanged" goes out, and the
// closed field shows that value again.
TEST_F(MaskedEditTest, AHalfTypedFieldNeverBecomesTheValue) {
  SetValue(Full(), 2024, 2, 29, 10, 0, 0);
  ASSERT_TRUE(driver.SelectEditField("full", 8));
  ClearNotes();
  Type("3");
  EXPECT_EQ(FocusText(), "2024-02-39 10:00:00");
  Type("0");
  EXPECT_EQ(FocusText(), "2024-02-30 10:00:00");
  EXPECT_EQ(Value(Full()), "2024-02-29 10:00:00");
  EXPECT_EQ(Count("textchanged", "full"), 0);
  ASSERT_TRUE(driver.Click("other"));
  EXPECT_EQ(EditWindow(Full()), nullptr);
  EXPECT_EQ(driver.Text("full"), "2024-02-29 10:00:00");
}

TEST_F(MaskedEditTest, RefusedKeysChangeNothing) {
  ASSERT_TRUE(driver.SelectEditField("full", 6));
  ClearNotes();
  const std::string before = FocusText();
  const auto selection = FocusSelection();
  Type("a-: ");
  driver.PressKey(VK_BACK);
  driver.PressKey(VK_DELETE);
  EXPECT_EQ(FocusText(), before);
  EXPECT_EQ(FocusSelection(), selection);
  EXPECT_EQ(Count("textchanged", "full"), 0);
  // Shift+Delete and Ctrl+X only copy: the fields stay where they are.
  driver.KeyDown(VK_SHIFT);
  driver.PressKey(VK_DELETE);
  driver.KeyUp(VK_SHIFT);
  EXPECT_EQ(FocusText(), before);
  EXPECT_EQ(driver.Get<std::string>([] { return ui::GetClipboardText(); }), "01");
  driver.Run([] { ui::SendMessage(ui::GetFocus(), WM_CUT); });
  EXPECT_EQ(FocusText(), before);
}

TEST_F(MaskedEditTest, PasteTypesItsDigitsIntoThePlaces) {
  driver.Run([] { ui::SetClipboardText("2030-12-31 23:59:58"); });
  ASSERT_TRUE(driver.SelectEditField("full", 0));
  driver.KeyDown(VK_CONTROL);
  Type("\x16");
  driver.KeyUp(VK_CONTROL);
  EXPECT_EQ(FocusText(), "2030-12-31 23:59:58");
  EXPECT_EQ(Value(Full()), "2030-12-31 23:59:58");
  // A paste of digits that make no valid value leaves the value alone.
  driver.Run([] { ui::SetClipboardText("99"); });
  ASSERT_TRUE(driver.SelectEditField("full", 5));
  driver.Run([] { ui::SendMessage(ui::GetFocus(), WM_PASTE); });
  EXPECT_EQ(FocusText(), "2030-99-31 23:59:58");
  EXPECT_EQ(Value(Full()), "2030-12-31 23:59:58");
}

TEST_F(MaskedEditTest, ReturnUpAndDownGoToTheWindow) {
  ASSERT_TRUE(driver.SelectEditField("full", 12));
  const auto selection = FocusSelection();
  ClearNotes();
  for (UINT key : {VK_RETURN, VK_UP, VK_DOWN}) driver.PressKey(key);
  std::vector<WPARAM> keys;
  for (const Notification& n : Notes()) {
    if (n.type == "edit_vk" && n.sender == "full") keys.push_back(n.wParam);
  }
  EXPECT_EQ(keys, (std::vector<WPARAM>{13, 38, 40}));
  EXPECT_EQ(FocusSelection(), selection);
  EXPECT_EQ(FocusText(), "2026-01-01 08:00:00");
}

// A click inside the open edit window selects the field that holds the caret; a double click the
// field under the pointer, after putting back the last accepted text.
TEST_F(MaskedEditTest, ClicksSnapToWholeFields) {
  ASSERT_TRUE(driver.SelectEditField("full", 15));
  EXPECT_EQ(FocusSelection(), (std::pair<long, long>(14, 16)));
  Type("7");  // 08:70:00 gives no value; the caret is now at 15
  const HWND edit = Focus();
  const long yearX = driver.Get<long>([&] { return GET_X_LPARAM(ui::SendMessage(edit, EM_POSFROMCHAR, 1)); });
  ASSERT_TRUE(driver.ClickAt(edit, POINT{yearX + 1, 8}));
  EXPECT_EQ(FocusSelection(), (std::pair<long, long>(14, 16)));
  EXPECT_EQ(FocusText(), "2026-01-01 08:70:00");
  ASSERT_TRUE(driver.DoubleClickAt(edit, POINT{yearX + 1, 8}));
  EXPECT_EQ(FocusSelection(), (std::pair<long, long>(0, 4)));
  EXPECT_EQ(FocusText(), "2026-01-01 08:00:00");
}

TEST_F(MaskedEditTest, TextFromCodeOrLayoutMustBeOfTheForm) {
  driver.Run([&] {
    Full()->SetText("2024-5-6 7:8:9");
    EXPECT_EQ(Full()->GetText().Str(), "2024-05-06 07:08:09");
    EXPECT_EQ(Full()->GetValue().Format().Str(), "2024-05-06 07:08:09");
    Full()->SetText("2024-02-30 00:00:00");
    Full()->SetText("soon");
    EXPECT_EQ(Full()->GetText().Str(), "2024-05-06 07:08:09");
    Time()->SetText("23:5:1");
    EXPECT_EQ(Time()->GetText().Str(), "23:05:01");
    Time()->SetAttribute("text", "25:00:00");
    EXPECT_EQ(Time()->GetText().Str(), "23:05:01");
  });
}

TEST_F(MaskedEditTest, ReadOnlyTakesNoTypingAndOnlyTrueCounts) {
  driver.Run([&] { Full()->SetAttribute("readonly", "TRUE"); });
  EXPECT_FALSE(driver.Get<bool>([&] { return Full()->IsReadOnly(); }));
  driver.Run([&] { Full()->SetAttribute("readonly", "true"); });
  ASSERT_TRUE(driver.SelectEditField("full", 2));
  Type("9");
  EXPECT_EQ(Value(Full()), "2026-01-01 08:00:00");
  EXPECT_EQ(FocusText(), "2026-01-01 08:00:00");
}

TEST_F(MaskedEditTest, DisablingTheFieldClosesItsEditWindow) {
  ASSERT_TRUE(driver.SelectEditField("full", 2));
  ASSERT_NE(EditWindow(Full()), nullptr);
  driver.Run([&] { Full()->SetEnabled(false); });
  Type("9");
  EXPECT_EQ(EditWindow(Full()), nullptr);
  EXPECT_EQ(Value(Full()), "2026-01-01 08:00:00");
  // Hidden, likewise.
  driver.Run([&] { Full()->SetEnabled(true); });
  ASSERT_TRUE(driver.SelectEditField("full", 2));
  driver.Run([&] { Full()->SetVisible(false); });
  EXPECT_EQ(EditWindow(Full()), nullptr);
}

// A field that goes away while it is edited takes its edit window with it at once; nothing the
// window does later reaches the deleted field.
TEST_F(MaskedEditTest, AFieldThatDiesTakesItsEditWindowAlong) {
  ASSERT_TRUE(driver.SelectEditField("full", 2));
  const HWND edit = EditWindow(Full());
  ASSERT_NE(edit, nullptr);
  driver.Run([&] {
    auto* parent = static_cast<ui::CContainerUI*>(Full()->GetParent());
    parent->Remove(Full());
  });
  EXPECT_FALSE(driver.Get<bool>([&] { return ui::IsWindow(edit); }));
  Type("5");
  driver.PressKey(VK_RETURN);
  EXPECT_EQ(Count("textchanged", "full"), 0);
}

}  // namespace
}  // namespace configtool::test
