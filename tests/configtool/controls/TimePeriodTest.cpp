// The time-period field and its pop-up: text that always matches the schedule held, typing,
// drawing and writing back, Escape, where the pop-up opens, and a pop-up that never outlives
// its field.

#include "configtool/controls/TimePeriodUI.h"

#include <gtest/gtest.h>

#include "configtool/controls/TimePeriodPickerUI.h"
#include "configtool/controls/TimePeriodWnd.h"
#include "platform/os/Charset.h"
#include "tests/configtool/controls/ControlsWindowTest.h"

namespace configtool::test {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="640,50">
  <Font id="0" name="微软雅黑" size="13" default="true"/>
  <HorizontalLayout inset="10,10,10,10" childpadding="8">
    <TimePeriod name="tp" width="520" text="星期一,二 18:00:00-08:00:00"/>
    <Button name="other" width="80" text="other"/>
  </HorizontalLayout>
</Window>)");

// Texts compared with the field's are GBK literals; typed texts are UTF-8.

// The picker in the pop-up: 18 pixels an hour from x 50, day rows of 22 pixels from y 22.
long X(int hour, int minute = 0) { return 50 + (hour * 60 + minute) * 18 / 60; }
long RowY(int row) { return 22 + 22 * row + 11; }

class TimePeriodTest : public ControlsWindowTest {
 protected:
  void SetUp() override {
    ControlsWindowTest::SetUp();
    Open(kLayout, m_place);
    m_field = Find<CTimePeriodUI>("tp");
    ASSERT_NE(m_field, nullptr);
  }
  std::string FieldText() { return driver.Text("tp"); }
  std::string Segments() {
    return driver.Get<std::string>([&] { return FormatTimeSegments(m_field->GetSegments()); });
  }
  void SetText(const std::string& gbk) {
    driver.Run([&] { static_cast<ui::CControlUI*>(m_field)->SetText(gbk.c_str()); });
  }
  HWND Popup() { return driver.FindWindow("CTimePeriodWnd"); }
  HWND OpenPopup() {
    if (!driver.Click("tp")) return nullptr;
    return Popup();
  }

  POINT m_place{100, 100};
  CTimePeriodUI* m_field = nullptr;
};

TEST_F(TimePeriodTest, TheTextIsAlwaysTheScheduleHeld) {
  // Text from the layout is read: the field shows and holds what it read.
  EXPECT_EQ(FieldText(), "星期一, 二 08:00:00 至 18:00:00");
  EXPECT_EQ(Segments(), FieldText());
  // Through the base class as well: text that does not read changes nothing.
  SetText("星期二, 一 08:00:00 至 09:00:00");
  EXPECT_EQ(FieldText(), "星期一, 二 08:00:00 至 18:00:00");
  EXPECT_EQ(Segments(), FieldText());
  SetText("星期三 8:0:0 至 9:0:0 ; 星期四 10:00:00 至 11:00:00");
  EXPECT_EQ(FieldText(), "星期三 08:00:00 至 09:00:00;星期四 10:00:00 至 11:00:00");
  SetText("");
  EXPECT_EQ(FieldText(), "");
  EXPECT_EQ(Segments(), "");
  driver.Run([&] {
    for (const TimeSegmentEntry& entry : m_field->GetSegments().entries) EXPECT_EQ(entry.enable, 0);
  });
}

TEST_F(TimePeriodTest, TypingSendsTextChangedOnceTheTextReads) {
  SetText("");
  ASSERT_TRUE(driver.Type("tp", Utf8(u8"星期五 09:00:00 至 1")));
  EXPECT_EQ(Count("textchanged", "tp"), 0);
  EXPECT_EQ(FieldText(), "");
  driver.TypeText("0:00:00");
  EXPECT_EQ(Count("textchanged", "tp"), 1);
  EXPECT_EQ(FieldText(), "星期五 09:00:00 至 10:00:00");
  // What the operator typed stays in the edit window.
  EXPECT_EQ(driver.Get<std::string>([] { return ui::GetWindowTextString(ui::GetFocus()); }),
            "星期五 09:00:00 至 10:00:00");
  // The open pop-up's picker follows the field.
  const HWND popup = Popup();
  ASSERT_NE(popup, nullptr);
  auto* picker = driver.Get<CTimePeriodPickerUI*>([&] {
    return dynamic_cast<CTimePeriodPickerUI*>(ui::CPaintManagerUI::FromPaintWindow(popup)->FindControl("period_picker"));
  });
  EXPECT_EQ(driver.Get<std::string>([&] { return FormatTimeSegments(picker->GetSegments()); }),
            "星期五 09:00:00 至 10:00:00");
}

TEST_F(TimePeriodTest, AFullScheduleOfEightWeekLongEntriesCanBeTyped) {
  SetText("");
  // Typed with a blank after each ";", which the field's own text leaves out.
  std::string typed;
  std::string held;
  for (int entry = 0; entry < kTimeSegmentCount; ++entry) {
    const std::string text =
        Utf8(u8"星期一, 二, 三, 四, 五, 六, 日 0") + std::to_string(entry) + Utf8(u8":00:00 至 24:00:00");
    typed += (entry > 0 ? "; " : "") + text;
    held += (entry > 0 ? ";" : "") + os::Utf8ToGbk(text);
  }
  ASSERT_TRUE(driver.Type("tp", typed));
  EXPECT_EQ(Segments(), held);
}

TEST_F(TimePeriodTest, DrawnBarsGoToTheFieldWithSet) {
  SetText("");
  const HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(driver.DragAt(popup, POINT{X(8), RowY(0)}, POINT{X(12), RowY(1)}));
  ASSERT_TRUE(driver.DragAt(popup, POINT{X(13), RowY(5)}, POINT{X(17, 30), RowY(6)}));
  EXPECT_EQ(driver.Text("period_edit", popup), "星期六, 日 13:00:00 至 17:30:00");
  EXPECT_EQ(FieldText(), "");
  ASSERT_TRUE(driver.Click("btn_set", popup));
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(FieldText(), "星期一, 二 08:00:00 至 12:00:00;星期六, 日 13:00:00 至 17:30:00");
  EXPECT_EQ(Segments(), FieldText());
}

TEST_F(TimePeriodTest, SetWithoutEditsKeepsEveryTimeExactly) {
  const std::string exact = "星期一 08:05:00 至 09:10:07;星期三 12:00:00 至 12:10:00;星期日 00:00:00 至 24:00:00";
  SetText(exact);
  ASSERT_EQ(FieldText(), exact);
  const HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(driver.ClickAt(popup, POINT{X(12) + 1, RowY(2)}));
  ASSERT_TRUE(driver.ClickAt(popup, POINT{X(8, 30), RowY(0)}));
  ASSERT_TRUE(driver.Click("btn_set", popup));
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(FieldText(), exact);
}

TEST_F(TimePeriodTest, EscapeDiscardsTheDrawing) {
  const std::string before = FieldText();
  const HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(driver.DragAt(popup, POINT{X(20), RowY(4)}, POINT{X(22), RowY(4)}));
  driver.PressKey(VK_ESCAPE);
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(FieldText(), before);
}

TEST_F(TimePeriodTest, ThePopupClosesWhenTheFieldLosesTheFocusOrGoes) {
  ASSERT_NE(OpenPopup(), nullptr);
  ASSERT_TRUE(driver.Click("other"));
  EXPECT_EQ(Popup(), nullptr);
  // Hidden, likewise.
  ASSERT_NE(OpenPopup(), nullptr);
  driver.Run([&] { m_field->SetVisible(false); });
  EXPECT_EQ(Popup(), nullptr);
  driver.Run([&] { m_field->SetVisible(true); });
  // A field that dies takes its open pop-up with it, which then writes nothing to it.
  const HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  driver.Run([&] { static_cast<ui::CContainerUI*>(m_field->GetParent())->Remove(m_field); });
  EXPECT_FALSE(driver.Get<bool>([&] { return ui::IsWindow(popup); }));
}

// A schedule that cannot be written as text never reaches the field: the pop-up stays open and
// tells the operator, so nothing of the drawing is lost unseen.
TEST_F(TimePeriodTest, ASetThatCannotBeWrittenKeepsThePopupOpen) {
  const std::string before = FieldText();
  const HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  driver.Run([&] {
    auto* picker =
        dynamic_cast<CTimePeriodPickerUI*>(ui::CPaintManagerUI::FromPaintWindow(popup)->FindControl("period_picker"));
    TimeSegmentsPacked segments{};
    segments.entries[0] = TimeSegmentEntry{1, 0x01, 8, 0, 0, 0, 25, 0, 0, 0};
    picker->SetSegments(segments);
  });
  driver.AnswerNextMessageBox("ok");
  ASSERT_TRUE(driver.Click("btn_set", popup));
  ASSERT_EQ(driver.MessageBoxTexts().size(), 1u);
  EXPECT_EQ(driver.MessageBoxTexts()[0], "时间段设置无效，请检查后重试！");
  EXPECT_NE(Popup(), nullptr);
  EXPECT_EQ(FieldText(), before);
}

class TimePeriodNearTheBottomTest : public TimePeriodTest {
 protected:
  void SetUp() override {
    m_place = POINT{100, 900};
    TimePeriodTest::SetUp();
  }
};

TEST_F(TimePeriodNearTheBottomTest, ThePopupOpensAboveTheField) {
  const HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  const RECT field = *driver.Rect("tp");
  const RECT place = driver.Get<RECT>([&] {
    RECT rc{};
    ui::GetWindowRect(popup, &rc);
    return rc;
  });
  EXPECT_EQ(place.bottom, 900 + field.top);
  EXPECT_EQ(RectHeight(place), CTimePeriodWnd::kHeight);
  EXPECT_EQ(RectWidth(place), CTimePeriodWnd::kWidth);
}

}  // namespace
}  // namespace configtool::test
