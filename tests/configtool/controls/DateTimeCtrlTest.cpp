// The date-time picker of combo boxes: its day box always as long as the chosen month.

#include "configtool/controls/DateTimeCtrlUI.h"

#include <gtest/gtest.h>

#include "tests/configtool/controls/ControlsWindowTest.h"

namespace configtool::test {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="520,120">
  <Font id="0" name="微软雅黑" size="13" default="true"/>
  <VerticalLayout inset="10,10,10,10" childpadding="8">
    <DateTimeCtrl name="dtc" height="28"/>
    <Button name="other" height="28" width="80" text="other"/>
  </VerticalLayout>
</Window>)");

class DateTimeCtrlTest : public ControlsWindowTest {
 protected:
  void SetUp() override {
    ControlsWindowTest::SetUp();
    Open(kLayout);
    m_ctrl = Find<CDateTimeCtrlUI>("dtc");
    ASSERT_NE(m_ctrl, nullptr);
  }
  std::vector<std::string> Days() {
    return driver.Get<std::vector<std::string>>([&] {
      std::vector<std::string> days;
      auto* box = dynamic_cast<ui::CComboUI*>(driver.Control("dtc/cmb_day"));
      for (int i = 0; i < box->GetCount(); ++i) days.push_back(box->GetItemAt(i)->GetText().Str());
      return days;
    });
  }
  // Picks month item `index` (month index + 1) as the operator does.
  void PickMonth(int index) { ASSERT_TRUE(driver.Select("dtc/cmb_month", index)); }

  CDateTimeCtrlUI* m_ctrl = nullptr;
};

TEST_F(DateTimeCtrlTest, TheDayBoxFollowsYearAndMonth) {
  EXPECT_EQ(driver.Get<int>([&] { return m_ctrl->GetDayCount(); }), 31);
  EXPECT_EQ(Days().size(), 31u);
  ASSERT_TRUE(driver.Type("dtc/edit_year", "2024"));
  PickMonth(1);
  auto days = Days();
  ASSERT_EQ(days.size(), 29u);
  EXPECT_EQ(days.front(), "01");
  EXPECT_EQ(days.back(), "29");
  ASSERT_TRUE(driver.Type("dtc/edit_year", "2023"));
  EXPECT_EQ(Days().size(), 28u);
  // March appends exactly 29, 30 and 31.
  PickMonth(2);
  days = Days();
  ASSERT_EQ(days.size(), 31u);
  EXPECT_EQ((std::vector<std::string>(days.end() - 3, days.end())), (std::vector<std::string>{"29", "30", "31"}));
  PickMonth(3);
  EXPECT_EQ(Days().size(), 30u);
}

// A year outside 1900..2200, or no number, counts as year 0, which is a leap year; a number too
// long for an integer is no number.
TEST_F(DateTimeCtrlTest, YearsOutsideTheRangeCountAsYearZero) {
  PickMonth(1);
  for (const char* year : {"1800", "abc", "99999999999999", "2201"}) {
    SCOPED_TRACE(year);
    ASSERT_TRUE(driver.Type("dtc/edit_year", year));
    EXPECT_EQ(Days().size(), 29u);
  }
  ASSERT_TRUE(driver.Type("dtc/edit_year", "2100"));
  EXPECT_EQ(Days().size(), 28u);
}

TEST_F(DateTimeCtrlTest, AMonthThatIsNoMonthEmptiesTheDays) {
  driver.Run([&] {
    auto* months = dynamic_cast<ui::CComboUI*>(m_ctrl->GetManager()->FindSubControlByName(m_ctrl, "cmb_month"));
    months->GetItemAt(11)->SetText("13");
  });
  PickMonth(11);
  EXPECT_TRUE(Days().empty());
  EXPECT_EQ(driver.Get<int>([&] { return m_ctrl->GetDayCount(); }), 0);
  PickMonth(0);
  EXPECT_EQ(Days().size(), 31u);
}

}  // namespace
}  // namespace configtool::test
