// The weekly time-period picker, driven with the mouse and the keyboard: drawing, moving and
// resizing bars, day toggles, Delete, the bound text box, and bars that keep their exact times.

#include "configtool/controls/TimePeriodPickerUI.h"

#include <gtest/gtest.h>

#include "configtool/controls/PeriodColorPool.h"
#include "platform/ui/host/Host.h"
#include "tests/configtool/controls/ControlsWindowTest.h"
#include "tests/configtool/controls/SegmentEntry.h"

namespace configtool::test {
namespace {

// Two pickers 487 pixels wide (18 pixels an hour from x 50), the second 200 pixels lower, and a
// narrow one; the text box that the first one is bound to.
const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="487,470">
  <Font id="0" name="微软雅黑" size="12" default="true"/>
  <Font id="6" name="微软雅黑" size="11"/>
  <VerticalLayout>
    <TimePeriodPicker name="picker" height="180"/>
    <Edit name="edit" height="20"/>
    <TimePeriodPicker name="picker2" height="180"/>
    <HorizontalLayout height="60"><TimePeriodPicker name="narrow" width="60"/></HorizontalLayout>
  </VerticalLayout>
</Window>)");

constexpr long kSecondTop = 200;

long X(int hour, int minute = 0) { return 50 + (hour * 60 + minute) * 18 / 60; }
long RowY(int row, long top = 0) { return top + 22 + 22 * row + 11; }

std::string Text(const TimeSegmentEntry& entry) { return entry.enable != 0 ? FormatTimeSegment(entry) : "(empty)"; }

class TimePeriodPickerTest : public ControlsWindowTest {
 protected:
  void SetUp() override {
    ControlsWindowTest::SetUp();
    Open(kLayout);
    m_picker = Find<CTimePeriodPickerUI>("picker");
    m_second = Find<CTimePeriodPickerUI>("picker2");
    m_narrow = Find<CTimePeriodPickerUI>("narrow");
    ASSERT_NE(m_picker, nullptr);
    driver.Run([&] {
      m_picker->BindEditBox(window->GetPaintManager()->FindControl("edit"));
      m_picker->ListenTo(window->GetPaintManager());
    });
  }

  std::string EntryText(int index, CTimePeriodPickerUI* picker = nullptr) {
    return driver.Get<std::string>([&] { return Text((picker ? picker : m_picker)->GetSegments().entries[index]); });
  }
  TimeSegmentEntry Raw(int index) {
    return driver.Get<TimeSegmentEntry>([&] { return m_picker->GetSegments().entries[index]; });
  }
  int Selected() {
    return driver.Get<int>([&] { return m_picker->GetSelected(); });
  }
  void Load(std::initializer_list<TimeSegmentEntry> entries, CTimePeriodPickerUI* picker = nullptr) {
    TimeSegmentsPacked segments{};
    int k = 0;
    for (const TimeSegmentEntry& entry : entries) segments.entries[k++] = entry;
    driver.Run([&] { (picker ? picker : m_picker)->SetSegments(segments); });
  }
  bool Drag(POINT from, POINT to) { return driver.DragAt(hwnd, from, to, 6); }
  bool Click(POINT at) { return driver.ClickAt(hwnd, at); }

  CTimePeriodPickerUI* m_picker = nullptr;
  CTimePeriodPickerUI* m_second = nullptr;
  CTimePeriodPickerUI* m_narrow = nullptr;
};

TEST_F(TimePeriodPickerTest, DrawingABarMakesASegment) {
  ASSERT_TRUE(Drag(POINT{X(8), RowY(0)}, POINT{X(12), RowY(2)}));
  EXPECT_EQ(EntryText(0), "星期一, 二, 三 08:00:00 至 12:00:00");
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(driver.Text("edit"), "星期一, 二, 三 08:00:00 至 12:00:00");
  // A second bar takes the next entry; the last hour reaches the end of the day.
  ASSERT_TRUE(Drag(POINT{X(20), RowY(6)}, POINT{X(24) + 30, RowY(6)}));
  EXPECT_EQ(EntryText(1), "星期日 20:00:00 至 24:00:00");
  EXPECT_EQ(Selected(), 1);
  // Dragging the bottom edge above the first row turns it into the top edge.
  ASSERT_TRUE(Drag(POINT{X(14), RowY(4)}, POINT{X(16), RowY(1)}));
  EXPECT_EQ(EntryText(2), "星期二, 三, 四, 五 14:00:00 至 16:00:00");
  // A press with no drag draws nothing, and neither does a press above the rows or left of them.
  ASSERT_TRUE(Click(POINT{X(1), RowY(3)}));
  ASSERT_TRUE(Drag(POINT{X(2), 10}, POINT{X(4), RowY(0)}));
  ASSERT_TRUE(Drag(POINT{20, RowY(0)}, POINT{X(4), RowY(0)}));
  EXPECT_EQ(EntryText(3), "(empty)");
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(driver.Text("edit"), "");
}

TEST_F(TimePeriodPickerTest, MovingAndResizingABar) {
  Load({SegmentEntry(0x03, 8, 0, 0, 12, 0, 0)});
  // The middle moves the whole bar, days and hours.
  ASSERT_TRUE(Drag(POINT{X(10), RowY(0)}, POINT{X(12), RowY(2)}));
  EXPECT_EQ(EntryText(0), "星期三, 四 10:00:00 至 14:00:00");
  // Near the right end only that end moves; the start keeps its time.
  ASSERT_TRUE(Drag(POINT{X(14) - 2, RowY(2)}, POINT{X(15, 30), RowY(2)}));
  EXPECT_EQ(EntryText(0), "星期三, 四 10:00:00 至 15:30:00");
  // The left end dragged past the right end goes on as the right end.
  ASSERT_TRUE(Drag(POINT{X(10) + 1, RowY(3)}, POINT{X(17), RowY(3)}));
  const TimeSegmentEntry turned = Raw(0);
  EXPECT_EQ(Text(turned), "星期三, 四 15:30:00 至 17:00:00");
  // Moved left past the first hour, the bar stops there and keeps its width.
  ASSERT_TRUE(Drag(POINT{X(16), RowY(2)}, POINT{X(0) - 100, RowY(2)}));
  EXPECT_EQ(EntryText(0), "星期三, 四 00:00:00 至 01:30:00");
  // A bar over the whole week cannot move up or down.
  Load({SegmentEntry(0x7F, 8, 0, 0, 12, 0, 0)});
  ASSERT_TRUE(Drag(POINT{X(10), RowY(3)}, POINT{X(10), RowY(5)}));
  EXPECT_EQ(EntryText(0), "星期一, 二, 三, 四, 五, 六, 日 08:00:00 至 12:00:00");
}

TEST_F(TimePeriodPickerTest, RightClicksToggleDaysAndDeleteRemovesTheBar) {
  Load({SegmentEntry(0x01, 8, 0, 0, 12, 0, 0), SegmentEntry(0x10, 1, 0, 0, 2, 0, 0)});
  ASSERT_TRUE(Click(POINT{X(10), RowY(0)}));
  ASSERT_EQ(Selected(), 0);
  ASSERT_TRUE(driver.RightClickAt(hwnd, POINT{X(11), RowY(4)}));
  EXPECT_EQ(EntryText(0), "星期一, 五 08:00:00 至 12:00:00");
  ASSERT_TRUE(driver.RightClickAt(hwnd, POINT{X(8), RowY(0)}));
  EXPECT_EQ(EntryText(0), "星期五 08:00:00 至 12:00:00");
  // The only day of a bar stays; a right click outside the bar's hours does nothing.
  ASSERT_TRUE(driver.RightClickAt(hwnd, POINT{X(9), RowY(4)}));
  ASSERT_TRUE(driver.RightClickAt(hwnd, POINT{X(13), RowY(2)}));
  EXPECT_EQ(EntryText(0), "星期五 08:00:00 至 12:00:00");
  EXPECT_EQ(driver.Text("edit"), "星期五 08:00:00 至 12:00:00");

  const int slot = driver.Get<int>([&] { return m_picker->GetBar(0).color.slot; });
  const int users = driver.Get<int>([&] { return PeriodColorPool::Instance().Users(slot); });
  driver.PressKey(VK_DELETE);
  EXPECT_EQ(EntryText(0), "(empty)");
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(driver.Text("edit"), "");
  EXPECT_EQ(driver.Get<int>([&] { return PeriodColorPool::Instance().Users(slot); }), users - 1);
  EXPECT_EQ(EntryText(1), "星期五 01:00:00 至 02:00:00");
  // Delete with nothing selected, and a drag after it, touch nothing.
  driver.PressKey(VK_DELETE);
  ASSERT_TRUE(Drag(POINT{X(1, 30), RowY(4)}, POINT{X(1, 30), RowY(4)}));
  EXPECT_EQ(EntryText(1), "星期五 01:00:00 至 02:00:00");
}

// Delete in the middle of moving a bar ends the drag: the rest of the gesture draws no new bar
// from the place where the deleted one was taken.
TEST_F(TimePeriodPickerTest, DeleteDuringADragEndsIt) {
  Load({SegmentEntry(0x01, 8, 0, 0, 12, 0, 0)});
  driver.Run([&] {
    ui::HostMouseEvent(hwnd, WM_MOUSEMOVE, POINT{X(10), RowY(0)}, 0);
    ui::HostMouseEvent(hwnd, WM_LBUTTONDOWN, POINT{X(10), RowY(0)}, ui::MK_LBUTTON);
    ui::HostMouseEvent(hwnd, WM_MOUSEMOVE, POINT{X(11), RowY(0)}, ui::MK_LBUTTON);
  });
  driver.PressKey(VK_DELETE);
  driver.Run([&] {
    ui::HostMouseEvent(hwnd, WM_MOUSEMOVE, POINT{X(14), RowY(2)}, ui::MK_LBUTTON);
    ui::HostMouseEvent(hwnd, WM_LBUTTONUP, POINT{X(15), RowY(2)}, 0);
  });
  for (int k = 0; k < kTimeSegmentCount; ++k) EXPECT_EQ(EntryText(k), "(empty)") << k;
  EXPECT_EQ(Selected(), -1);
}

// Times that no pixel stands for survive clicks, right clicks and the drags of other bars; a short
// bar is selected by a click and never deleted by it.
TEST_F(TimePeriodPickerTest, UntouchedBarsKeepTheirExactTimes) {
  Load({SegmentEntry(0x01, 8, 5, 0, 9, 10, 7), SegmentEntry(0x04, 12, 0, 0, 12, 10, 0), SegmentEntry(0x40, 6, 0, 0, 7, 0, 0, 2)});
  ASSERT_TRUE(Click(POINT{X(8, 30), RowY(0)}));
  ASSERT_TRUE(Click(POINT{X(8, 30), RowY(0)}));
  ASSERT_TRUE(driver.RightClickAt(hwnd, POINT{X(8, 30), RowY(1)}));
  EXPECT_EQ(EntryText(0), "星期一, 二 08:05:00 至 09:10:07");
  // The ten-minute bar is 3 pixels wide.
  ASSERT_TRUE(Click(POINT{X(12) + 1, RowY(2)}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(EntryText(1), "星期三 12:00:00 至 12:10:00");
  EXPECT_EQ(driver.Text("edit"), "星期三 12:00:00 至 12:10:00");
  // Only the end that a drag moves takes its time from pixels.
  ASSERT_TRUE(Drag(POINT{X(9, 10) - 1, RowY(0)}, POINT{X(10), RowY(0)}));
  EXPECT_EQ(EntryText(0), "星期一, 二 08:05:00 至 10:00:00");
  EXPECT_EQ(EntryText(1), "星期三 12:00:00 至 12:10:00");
  // An entry in use with enable 2 is a bar like any other and stays in use.
  EXPECT_EQ(Raw(2).enable, 2);
  ASSERT_TRUE(Click(POINT{X(6, 30), RowY(6)}));
  EXPECT_EQ(Selected(), 2);
  // Resized to under 4 pixels by a drag, a bar goes.
  ASSERT_TRUE(Drag(POINT{X(7) - 1, RowY(6)}, POINT{X(6) + 2, RowY(6)}));
  EXPECT_EQ(EntryText(2), "(empty)");
}

TEST_F(TimePeriodPickerTest, TheTextBoxEditsTheSelectedBar) {
  Load({SegmentEntry(0x01, 8, 0, 0, 9, 0, 0)});
  // With no bar selected, text goes nowhere.
  ASSERT_TRUE(driver.Type("edit", Utf8(u8"星期二 10:00:00 至 11:00:00")));
  EXPECT_EQ(EntryText(0), "星期一 08:00:00 至 09:00:00");
  ASSERT_TRUE(Click(POINT{X(8, 30), RowY(0)}));
  ASSERT_TRUE(driver.Type("edit", Utf8(u8"星期二, 六 10:00:00 至 11:30:15")));
  EXPECT_EQ(EntryText(0), "星期二, 六 10:00:00 至 11:30:15");
  EXPECT_EQ(driver.Get<int>([&] { return m_picker->GetBar(0).days; }), 0x22);
  // Text that does not read leaves the bar.
  ASSERT_TRUE(driver.Type("edit", Utf8(u8"星期二 25:00:00 至 11:00:00")));
  EXPECT_EQ(EntryText(0), "星期二, 六 10:00:00 至 11:30:15");
  // The bar follows: a press on its new place selects it.
  ASSERT_TRUE(Click(POINT{X(11), RowY(5)}));
  EXPECT_EQ(Selected(), 0);
}

// Input may come before the first paint after new segments: the press finds the bars all the same.
TEST_F(TimePeriodPickerTest, APressBeforeThePaintFindsTheNewBars) {
  driver.Run([&] {
    TimeSegmentsPacked segments{};
    segments.entries[0] = SegmentEntry(0x01, 8, 0, 0, 12, 0, 0);
    m_picker->SetSegments(segments);
    ui::TEventUI press;
    press.Type = ui::UIEVENT_BUTTONDOWN;
    press.ptMouse = POINT{X(10), RowY(0)};
    m_picker->DoEvent(press);
    EXPECT_EQ(m_picker->GetSelected(), 0);
  });
  EXPECT_EQ(driver.Text("edit"), "星期一 08:00:00 至 12:00:00");
}

TEST_F(TimePeriodPickerTest, ANinthBarCannotBeStarted) {
  for (int k = 0; k < 8; ++k) ASSERT_TRUE(Drag(POINT{X(2 * k + 1), RowY(k % 7)}, POINT{X(2 * k + 2), RowY(k % 7)}));
  ASSERT_EQ(EntryText(7), "星期一 15:00:00 至 16:00:00");
  ASSERT_TRUE(Drag(POINT{X(20), RowY(3)}, POINT{X(22), RowY(3)}));
  for (int k = 0; k < 8; ++k) EXPECT_NE(EntryText(k), "星期四 20:00:00 至 22:00:00");
}

// Two pickers with 16 bars between them share the 15 colours: every bar gets one, no request
// waits for a free colour, and each colour goes back when its bars go.
TEST_F(TimePeriodPickerTest, TwoPickersShareTheColours) {
  for (int k = 0; k < 8; ++k) {
    ASSERT_TRUE(Drag(POINT{X(2 * k + 1), RowY(k % 7)}, POINT{X(2 * k + 2), RowY(k % 7)}));
    ASSERT_TRUE(Drag(POINT{X(2 * k + 1), RowY(k % 7, kSecondTop)}, POINT{X(2 * k + 2), RowY(k % 7, kSecondTop)}));
  }
  EXPECT_EQ(EntryText(7, m_second), "星期一 15:00:00 至 16:00:00");
  const auto users = driver.Get<std::vector<int>>([&] {
    std::vector<int> counts;
    for (int slot = 0; slot < PeriodColorPool::kColorCount; ++slot) counts.push_back(PeriodColorPool::Instance().Users(slot));
    return counts;
  });
  int total = 0;
  for (int count : users) {
    EXPECT_GE(count, 1);
    total += count;
  }
  EXPECT_EQ(total, 16);
  for (int k = 0; k < 8; ++k) {
    EXPECT_GE(driver.Get<int>([&] { return m_picker->GetBar(k).color.slot; }), 0);
    EXPECT_GE(driver.Get<int>([&] { return m_second->GetBar(k).color.slot; }), 0);
  }
  // A colour's text: alpha, red, green, blue.
  PeriodColor orange;
  orange.red = 0xF9;
  orange.green = 0x68;
  orange.blue = 0x0A;
  EXPECT_EQ(orange.Text(), "#fff9680a");
  EXPECT_EQ(orange.Argb(160), 0xA0F9680Au);
  // Bars that go out of use with a new schedule give their colours back.
  Load({}, m_second);
  driver.Run([&] { ui::UpdateWindow(hwnd); });
  total = driver.Get<int>([&] {
    int sum = 0;
    for (int slot = 0; slot < PeriodColorPool::kColorCount; ++slot) sum += PeriodColorPool::Instance().Users(slot);
    return sum;
  });
  EXPECT_EQ(total, 8);
}

TEST_F(TimePeriodPickerTest, APickerTooNarrowForAGridTakesNoBars) {
  const RECT narrow = *driver.Rect("narrow");
  EXPECT_EQ(driver.Get<int>([&] { return m_narrow->Grid().hourWidth; }), 0);
  Load({SegmentEntry(0x01, 8, 0, 0, 9, 0, 0)}, m_narrow);
  driver.Run([&] { ui::UpdateWindow(hwnd); });
  ASSERT_TRUE(Drag(POINT{narrow.left + 52, narrow.top + 33}, POINT{narrow.left + 58, narrow.top + 50}));
  ASSERT_TRUE(Click(POINT{narrow.left + 50, narrow.top + 33}));
  EXPECT_EQ(EntryText(0, m_narrow), "星期一 08:00:00 至 09:00:00");
  EXPECT_EQ(EntryText(1, m_narrow), "(empty)");
  EXPECT_TRUE(driver.SaveScreenshot(hwnd, ::testing::TempDir() + "narrow-picker.png"));
}

}  // namespace
}  // namespace configtool::test
