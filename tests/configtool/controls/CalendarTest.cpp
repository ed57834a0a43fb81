// The calendar field and its drop-down: the value shared by the edit and the button, the month
// grid with its steps, the time field, confirming, Escape, where the pop-up opens, and pop-ups
// and notifiers that never outlive their owners.

#include "configtool/controls/CalendarUI.h"

#include <gtest/gtest.h>

#include "configtool/controls/CalendarWnd.h"
#include "configtool/controls/EditEXUI.h"
#include "configtool/controls/JqDateTimeUI.h"
#include "tests/configtool/controls/ControlsWindowTest.h"

namespace configtool::test {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="420,150">
  <Font id="0" name="微软雅黑" size="13" default="true"/>
  <VerticalLayout inset="10,10,10,10" childpadding="8">
    <Calendar name="cal_a" height="28" width="240"/>
    <Calendar name="cal_b" height="28" width="240"/>
    <Button name="other" height="28" width="80" text="other"/>
  </VerticalLayout>
</Window>)");

struct Cell {
  std::string text;
  bool picked;
};

class CalendarTest : public ControlsWindowTest {
 protected:
  void SetUp() override {
    ControlsWindowTest::SetUp();
    Open(kLayout, m_place);
    m_a = Find<CCalendarUI>("cal_a");
    m_b = Find<CCalendarUI>("cal_b");
    ASSERT_NE(m_a, nullptr);
    ASSERT_NE(m_b, nullptr);
  }

  std::string Value(CCalendarUI* calendar) {
    return driver.Get<std::string>([&] { return calendar->GetValue().Format().Str(); });
  }
  std::string PickerValue(const char* path) {
    return driver.Get<std::string>([&] {
      auto* picker = dynamic_cast<CJqDateTimeUI*>(driver.Control(path));
      return picker != nullptr ? picker->GetValue().Format().Str() : std::string();
    });
  }
  bool Set(CCalendarUI* calendar, int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return driver.Get<bool>([&] { return calendar->SetDateTime(year, month, day, hour, minute, second); });
  }
  // Opens the drop-down of a calendar's button; its window.
  HWND OpenPopup(const char* calendar) {
    if (!driver.Click(std::string(calendar) + "/DateTimeUI1")) return nullptr;
    return driver.FindWindow("CCalendarWnd");
  }
  // The rows of the month grid: each a list of its day cells, after the leading spacer's width.
  std::vector<std::pair<long, std::vector<Cell>>> Grid(HWND popup) {
    return driver.Get<std::vector<std::pair<long, std::vector<Cell>>>>([&] {
      std::vector<std::pair<long, std::vector<Cell>>> rows;
      ui::CPaintManagerUI* pm = ui::CPaintManagerUI::FromPaintWindow(popup);
      auto* day = dynamic_cast<ui::CContainerUI*>(pm->FindControl("Day"));
      const DWORD picked = ui::CStyleManagerUI::Instance()->GetColor("l_bk");
      for (int r = 0; r < day->GetCount(); ++r) {
        auto* row = dynamic_cast<ui::CContainerUI*>(day->GetItemAt(r));
        std::pair<long, std::vector<Cell>> cells{-1, {}};
        for (int c = 0; c < row->GetCount(); ++c) {
          ui::CControlUI* item = row->GetItemAt(c);
          if (item->GetInterface("Button") == nullptr) {
            cells.first = item->GetFixedWidth();
            continue;
          }
          cells.second.push_back(Cell{item->GetText().Str(), item->GetBkColor() == picked});
        }
        rows.push_back(cells);
      }
      return rows;
    });
  }
  std::string PickedDay(HWND popup) {
    for (const auto& row : Grid(popup)) {
      for (const Cell& cell : row.second) {
        if (cell.picked) return cell.text;
      }
    }
    return {};
  }
  int CellCount(HWND popup) {
    int count = 0;
    for (const auto& row : Grid(popup)) count += static_cast<int>(row.second.size());
    return count;
  }
  std::string Current(HWND popup) { return driver.Text("edtCurrent", popup); }
  // Clicks the day cell with this text in the open grid.
  bool ClickDay(HWND popup, const std::string& text) {
    const std::optional<POINT> centre = driver.Get<std::optional<POINT>>([&]() -> std::optional<POINT> {
      ui::CPaintManagerUI* pm = ui::CPaintManagerUI::FromPaintWindow(popup);
      auto* day = dynamic_cast<ui::CContainerUI*>(pm->FindControl("Day"));
      ui::UpdateWindow(popup);
      for (int r = 0; r < day->GetCount(); ++r) {
        auto* row = dynamic_cast<ui::CContainerUI*>(day->GetItemAt(r));
        for (int c = 0; c < row->GetCount(); ++c) {
          ui::CControlUI* item = row->GetItemAt(c);
          if (item->GetInterface("Button") == nullptr || item->GetText().Str() != text) continue;
          const RECT rc = item->GetPos();
          return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        }
      }
      return std::nullopt;
    });
    return centre.has_value() && driver.ClickAt(popup, *centre);
  }

  POINT m_place{100, 100};
  CCalendarUI* m_a = nullptr;
  CCalendarUI* m_b = nullptr;
};

TEST_F(CalendarTest, ChildrenShowTheCalendarsValue) {
  EXPECT_EQ(Value(m_a), "2026-01-01 08:00:00");
  EXPECT_EQ(driver.Text("cal_a/EditEX"), "2026-01-01 08:00:00");
  EXPECT_TRUE(Set(m_a, 2024, 12, 31, 23, 59, 59));
  EXPECT_EQ(Value(m_a), "2024-12-31 23:59:59");
  EXPECT_EQ(driver.Get<int>([&] { return m_a->GetValue().month; }), 11);
  EXPECT_EQ(driver.Text("cal_a/EditEX"), "2024-12-31 23:59:59");
  EXPECT_EQ(PickerValue("cal_a/DateTimeUI1"), "2024-12-31 23:59:59");
  // Parts that make no date are refused, and the caller can tell.
  EXPECT_FALSE(Set(m_a, 2024, 2, 30));
  EXPECT_EQ(Value(m_a), "2024-12-31 23:59:59");
  // The other calendar of the dialog holds its own value.
  EXPECT_EQ(Value(m_b), "2026-01-01 08:00:00");
  EXPECT_EQ(driver.Text("cal_b/EditEX"), "2026-01-01 08:00:00");
}

TEST_F(CalendarTest, TypingIntoTheEditMovesTheCalendarAndItsButton) {
  ASSERT_TRUE(driver.SelectEditField("cal_b/EditEX", 9));
  driver.TypeText("15");
  EXPECT_EQ(Value(m_b), "2026-01-15 08:00:00");
  EXPECT_EQ(PickerValue("cal_b/DateTimeUI1"), "2026-01-15 08:00:00");
  EXPECT_EQ(Value(m_a), "2026-01-01 08:00:00");
  // An impossible date typed leaves the calendar at the last valid one.
  ASSERT_TRUE(driver.SelectEditField("cal_b/EditEX", 6));
  driver.TypeText("2");
  driver.TypeText("9");  // month 29
  EXPECT_EQ(Value(m_b), "2026-01-15 08:00:00");
}

TEST_F(CalendarTest, TheMonthGridStepsAndPicks) {
  const HWND popup = OpenPopup("cal_a");
  ASSERT_NE(popup, nullptr);
  // January 2026 starts on a Thursday: three empty places, then the 1st picked.
  EXPECT_EQ(Current(popup), "2026-01-01");
  auto grid = Grid(popup);
  ASSERT_EQ(grid.size(), 5u);
  EXPECT_EQ(grid[0].first, 72);
  EXPECT_EQ(grid[0].second.size(), 4u);
  EXPECT_EQ(CellCount(popup), 31);
  EXPECT_EQ(PickedDay(popup), "1");
  EXPECT_EQ(driver.Text("EditEXDate", popup), "08:00:00");

  ASSERT_TRUE(driver.Click("btnNextMonth", popup));
  // February 2026 starts on a Sunday: one cell in the first row.
  EXPECT_EQ(Current(popup), "2026-02-01");
  grid = Grid(popup);
  EXPECT_EQ(grid[0].first, 144);
  EXPECT_EQ(grid[0].second.size(), 1u);
  EXPECT_EQ(CellCount(popup), 28);

  ASSERT_TRUE(driver.Click("btnPreYear", popup));
  ASSERT_TRUE(driver.Click("btnPreYear", popup));
  EXPECT_EQ(Current(popup), "2024-02-01");
  EXPECT_EQ(CellCount(popup), 29);
  // The grid is built anew inside the click of one of its own cells.
  ASSERT_TRUE(ClickDay(popup, "29"));
  EXPECT_EQ(Current(popup), "2024-02-29");
  EXPECT_EQ(PickedDay(popup), "29");
  ASSERT_TRUE(ClickDay(popup, "14"));
  EXPECT_EQ(PickedDay(popup), "14");
  // Clicking the date text or anything without a day tag changes nothing.
  ASSERT_TRUE(driver.Click("edtCurrent", popup));
  EXPECT_EQ(Current(popup), "2024-02-14");
  ASSERT_TRUE(driver.Click("btnPreMonth", popup));
  ASSERT_TRUE(driver.Click("btnPreMonth", popup));
  EXPECT_EQ(Current(popup), "2023-12-14");
  EXPECT_EQ(Value(m_a), "2026-01-01 08:00:00") << "nothing is taken before SetDate";

  // The time typed in the pop-up and the picked date go to the calendar together.
  ASSERT_TRUE(driver.SelectEditField("EditEXDate", 0, popup));
  driver.TypeText("1730");
  ASSERT_TRUE(driver.Click("SetDate", popup));
  EXPECT_EQ(driver.FindWindow("CCalendarWnd"), nullptr);
  EXPECT_EQ(PickerValue("cal_a/DateTimeUI1"), "2023-12-14 17:30:00");
  EXPECT_EQ(Value(m_a), "2023-12-14 17:30:00");
  EXPECT_EQ(driver.Text("cal_a/EditEX"), "2023-12-14 17:30:00");
  EXPECT_EQ(Count("textchanged", "DateTimeUI1"), 1);
}

TEST_F(CalendarTest, MonthStepsKeepADayOfTheMonth) {
  ASSERT_TRUE(Set(m_a, 2024, 1, 31, 12));
  HWND popup = OpenPopup("cal_a");
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(driver.Click("btnNextMonth", popup));
  EXPECT_EQ(Current(popup), "2024-02-29");
  EXPECT_EQ(PickedDay(popup), "29");
  // 29 February 2023 does not exist: a year back changes nothing.
  ASSERT_TRUE(driver.Click("btnPreYear", popup));
  EXPECT_EQ(Current(popup), "2024-02-29");
  ASSERT_TRUE(driver.Click("btnPreMonth", popup));
  ASSERT_TRUE(driver.Click("btnPreMonth", popup));
  EXPECT_EQ(Current(popup), "2023-12-29");
  driver.PressKey(VK_ESCAPE);

  // July 2024 starts on a Monday: a full first row behind an empty spacer.
  ASSERT_TRUE(Set(m_a, 2024, 7, 10));
  popup = OpenPopup("cal_a");
  ASSERT_NE(popup, nullptr);
  const auto grid = Grid(popup);
  EXPECT_EQ(grid[0].first, 0);
  EXPECT_EQ(grid[0].second.size(), 7u);
  EXPECT_EQ(grid[0].second[0].text, "1");
  EXPECT_EQ(PickedDay(popup), "10");
}

TEST_F(CalendarTest, EscapeClosesWithoutAChangeAndReturnDoesNothing) {
  const HWND popup = OpenPopup("cal_a");
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(driver.Click("btnNextYear", popup));
  driver.PressKey(VK_RETURN);
  EXPECT_NE(driver.FindWindow("CCalendarWnd"), nullptr);
  driver.PressKey(VK_ESCAPE);
  EXPECT_EQ(driver.FindWindow("CCalendarWnd"), nullptr);
  EXPECT_EQ(Value(m_a), "2026-01-01 08:00:00");
  EXPECT_EQ(Count("textchanged", "DateTimeUI1"), 0);
  // Escape from inside the time field closes it as well.
  const HWND again = OpenPopup("cal_a");
  ASSERT_NE(again, nullptr);
  ASSERT_TRUE(driver.SelectEditField("EditEXDate", 0, again));
  driver.PressKey(VK_ESCAPE);
  EXPECT_EQ(driver.FindWindow("CCalendarWnd"), nullptr);
}

TEST_F(CalendarTest, AClickElsewhereClosesThePopup) {
  ASSERT_NE(OpenPopup("cal_a"), nullptr);
  ASSERT_TRUE(driver.Click("other"));
  EXPECT_EQ(driver.FindWindow("CCalendarWnd"), nullptr);
  EXPECT_EQ(Value(m_a), "2026-01-01 08:00:00");
}

TEST_F(CalendarTest, AnInvalidTimeInThePopupLeavesTheLastValidOne) {
  const HWND popup = OpenPopup("cal_a");
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(driver.SelectEditField("EditEXDate", 3, popup));
  driver.TypeText("45");
  ASSERT_TRUE(driver.SelectEditField("EditEXDate", 0, popup));
  driver.TypeText("7");  // 78:45:00
  EXPECT_EQ(driver.Get<std::string>([] { return ui::GetWindowTextString(ui::GetFocus()); }), "78:45:00");
  ASSERT_TRUE(driver.Click("SetDate", popup));
  EXPECT_EQ(Value(m_a), "2026-01-01 08:45:00");
}

TEST_F(CalendarTest, APopupOfADeadButtonGoesWithIt) {
  const HWND popup = OpenPopup("cal_a");
  ASSERT_NE(popup, nullptr);
  driver.Run([&] {
    auto* parent = static_cast<ui::CContainerUI*>(m_a->GetParent());
    parent->Remove(m_a);
  });
  EXPECT_FALSE(driver.Get<bool>([&] { return ui::IsWindow(popup); }));
  // The dead calendar no longer listens: a change of the other one reaches only the living.
  ASSERT_TRUE(driver.SelectEditField("cal_b/EditEX", 9));
  driver.TypeText("2");
  EXPECT_EQ(Value(m_b), "2026-01-21 08:00:00");
}

class CalendarNearTheBottomTest : public CalendarTest {
 protected:
  void SetUp() override {
    m_place = POINT{100, 960};
    CalendarTest::SetUp();
  }
};

TEST_F(CalendarNearTheBottomTest, ThePopupOpensAboveTheButton) {
  const HWND popup = OpenPopup("cal_b");
  ASSERT_NE(popup, nullptr);
  const RECT button = *driver.Rect("cal_b/DateTimeUI1");
  const RECT place = driver.Get<RECT>([&] {
    RECT rc{};
    ui::GetWindowRect(popup, &rc);
    return rc;
  });
  EXPECT_EQ(place.bottom, 960 + button.top);
  EXPECT_EQ(place.top, place.bottom - CCalendarWnd::kHeight);
  EXPECT_EQ(place.left, 100 + button.left);
  EXPECT_EQ(RectWidth(place), CCalendarWnd::kWidth);
}

}  // namespace
}  // namespace configtool::test
