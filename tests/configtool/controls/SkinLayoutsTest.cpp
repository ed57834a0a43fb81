// The skin's layouts of the controls hold every name the code looks up, with the class it
// expects; the control factory knows the ten class names in their order; and layouts that lack
// a name, hold another class under it, or name their own control never crash.

#include "configtool/DialogBuilderCallbackEx.h"

#include <gtest/gtest.h>

#include <typeinfo>

#include "configtool/controls/CalendarUI.h"
#include "configtool/controls/DateTimeCtrlUI.h"
#include "configtool/controls/EditEX1UI.h"
#include "configtool/controls/EditEXUI.h"
#include "configtool/controls/JqDateTimeUI.h"
#include "configtool/controls/PlateListItem.h"
#include "configtool/controls/PlateViewerUI.h"
#include "configtool/controls/TimePeriodPickerUI.h"
#include "configtool/controls/TimePeriodUI.h"
#include "configtool/features/rules/RuleListItemUI.h"
#include "tests/configtool/controls/ControlsWindowTest.h"

namespace configtool::test {
namespace {

struct Expected {
  const char* name;
  const char* interfaceName;
};

// Builds a layout of the skin into a paint manager of its own, as the controls and pop-ups do.
class SkinLayoutsTest : public ControlsWindowTest {
 protected:
  // Checks every name for its interface; returns the window size the layout gives.
  SIZE Check(const char* layout, std::initializer_list<Expected> names, std::initializer_list<int> fonts = {}) {
    return driver.Get<SIZE>([&] {
      ui::CPaintManagerUI pm;
      ui::CDialogBuilder builder;
      CDialogBuilderCallbackEx factory;
      ui::CControlUI* root = builder.Create(layout, nullptr, &factory, &pm);
      EXPECT_NE(root, nullptr) << layout << ": " << builder.GetLastErrorMessage();
      if (root == nullptr) return SIZE{};
      EXPECT_EQ(builder.GetLastErrorMessage(), "") << layout;
      pm.AttachDialog(root);
      for (const Expected& expected : names) {
        ui::CControlUI* control = pm.FindControl(expected.name);
        EXPECT_NE(control, nullptr) << layout << ": " << expected.name;
        if (control != nullptr) {
          EXPECT_NE(control->GetInterface(expected.interfaceName), nullptr) << layout << ": " << expected.name;
        }
      }
      for (int font : fonts) EXPECT_NE(pm.GetFontInfo(font), pm.GetFontInfo(-1)) << layout << ": font " << font;
      return pm.GetInitSize();
    });
  }
  std::string Source(const char* layout) {
    return driver.Get<std::string>([&] { return ui::CResourceManagerUI::LoadResource(layout).value_or(""); });
  }
};

TEST_F(SkinLayoutsTest, CalendarAndComboPickerAreBareControlTrees) {
  for (const char* layout : {"Calendar.xml", "DateTimeCtrl.xml"}) {
    SCOPED_TRACE(layout);
    const std::string source = Source(layout);
    ASSERT_FALSE(source.empty());
    // Built into the host dialog's window: no window settings or fonts of their own.
    EXPECT_EQ(source.find("<Window"), std::string::npos);
    EXPECT_EQ(source.find("<Font"), std::string::npos);
  }
  Check("Calendar.xml", {{"EditEX", "EditEX"}, {"DateTimeUI1", "DateTime"}});
  Check("DateTimeCtrl.xml", {{"edit_year", "Edit"},
                             {"cmb_month", "Combo"},
                             {"cmb_day", "Combo"},
                             {"cmb_hour", "Combo"},
                             {"cmb_minute", "Combo"},
                             {"cmb_second", "Combo"}});
}

TEST_F(SkinLayoutsTest, PopupLayoutsHoldTheirControlsAndFonts) {
  const SIZE calendar = Check("CDateTimeUI.xml",
                              {{"btnPreMonth", "Button"},
                               {"btnNextMonth", "Button"},
                               {"btnPreYear", "Button"},
                               {"btnNextYear", "Button"},
                               {"SetDate", "Button"},
                               {"edtCurrent", "Label"},
                               {"Day", "Container"},
                               {"EditEXDate", "Edit1EX"}},
                              {0});
  EXPECT_EQ(calendar.cx, 168);
  EXPECT_EQ(calendar.cy, 214);
  const SIZE period =
      Check("TimePeriodWnd.xml", {{"period_picker", "TimePeriodPicker"}, {"period_edit", "Edit"}, {"btn_set", "Button"}}, {6});
  EXPECT_EQ(period.cx, 487);
  EXPECT_EQ(period.cy, 228);
}

TEST_F(SkinLayoutsTest, MonthItemsStartWithTheMonthNumber) {
  driver.Run([&] {
    ui::CPaintManagerUI pm;
    CDateTimeCtrlUI control(&pm);
    auto* months = dynamic_cast<ui::CComboUI*>(pm.FindSubControlByName(&control, "cmb_month"));
    ASSERT_NE(months, nullptr);
    ASSERT_EQ(months->GetCount(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(std::atoi(months->GetItemAt(i)->GetText()), i + 1);
    auto* days = dynamic_cast<ui::CComboUI*>(pm.FindSubControlByName(&control, "cmb_day"));
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->GetCount(), 31);
  });
}

TEST_F(SkinLayoutsTest, TheFactoryKnowsItsTenNamesExactly) {
  driver.Run([&] {
    ui::CPaintManagerUI pm;
    CDialogBuilderCallbackEx factory;
    struct Case {
      const char* name;
      const std::type_info* type;  // nullptr: nothing is made
    };
    const Case cases[] = {
        {"RuleListItem", &typeid(CRuleListItemUI)},
        {"PlateListItem", &typeid(CPlateListItem)},
        {"PlateViewer", &typeid(CPlateViewerUI)},
        {"JqDateTime", &typeid(CJqDateTimeUI)},
        {"DateTimeCtrl", &typeid(CDateTimeCtrlUI)},
        {"EditEX", &typeid(CEditEXUI)},
        {"EditEX1", &typeid(CEditEX1UI)},
        {"Calendar", &typeid(CCalendarUI)},
        {"TimePeriod", &typeid(CTimePeriodUI)},
        {"TimePeriodPicker", &typeid(CTimePeriodPickerUI)},
        {"calendar", nullptr},
        {"EditEX2", nullptr},
        {"Edit", nullptr},
        {"PlayControl", &typeid(ui::CPlayControlUI)},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      std::unique_ptr<ui::CControlUI> control(factory.CreateControl(c.name, &pm));
      if (c.type == nullptr) {
        EXPECT_EQ(control, nullptr);
      } else {
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(typeid(*control), *c.type);
      }
    }
    std::unique_ptr<ui::CControlUI> picker(factory.CreateControl("TimePeriodPicker", &pm));
    EXPECT_EQ(picker->GetInterface("TimePeriodPicker"), dynamic_cast<CTimePeriodPickerUI*>(picker.get()));
  });
}

// Layouts of the controls replaced by broken ones: a name missing, another class under a name,
// and layouts that hold the very control that builds them.
class BrokenLayoutsTest : public ControlsWindowTest {
 protected:
  void SetUp() override {
    ControlsWindowTest::SetUp();
    m_skin.Add("Calendar.xml", Utf8(u8R"(<HorizontalLayout>
        <Label name="EditEX" text="not an edit"/><Calendar name="inner"/></HorizontalLayout>)"));
    m_skin.Add("DateTimeCtrl.xml", Utf8(u8R"(<HorizontalLayout>
        <Edit name="edit_year"/><Label name="cmb_day"/><Include source="Nested.xml"/></HorizontalLayout>)"));
    m_skin.Add("Nested.xml", Utf8(u8R"(<HorizontalLayout><DateTimeCtrl name="again"/></HorizontalLayout>)"));
    m_skin.Add("CDateTimeUI.xml", Utf8(u8R"(<Window size="168,214"><VerticalLayout>
        <Label name="Day"/><Edit name="EditEXDate"/><Button name="SetDate" height="30"/></VerticalLayout></Window>)"));
    m_skin.Add("TimePeriodWnd.xml", Utf8(u8R"(<Window size="487,228"><VerticalLayout>
        <Label name="period_picker"/><Button name="btn_set" height="30"/></VerticalLayout></Window>)"));
    driver.Run([&] { ASSERT_TRUE(m_skin.Install()); });
    Open(Utf8(u8R"(<Window size="640,120"><VerticalLayout>
        <Calendar name="cal" height="28" width="240"/>
        <DateTimeCtrl name="dtc" height="28"/>
        <HorizontalLayout height="28"><TimePeriod name="tp" width="300"/><Button name="other" width="80"/></HorizontalLayout>
      </VerticalLayout></Window>)"));
  }

  ui::testing::TestSkin m_skin;
};

TEST_F(BrokenLayoutsTest, MissingOrWrongControlsAreSkipped) {
  auto* calendar = Find<CCalendarUI>("cal");
  ASSERT_NE(calendar, nullptr);
  // The calendar inside its own layout stays empty instead of building itself without end.
  auto* inner = Find<CCalendarUI>("cal/inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(driver.Get<int>([&] { return inner->GetCount(); }), 0);
  EXPECT_TRUE(driver.Get<bool>([&] { return inner->SetDateTime(2024, 7, 1, 0, 0, 0); }));
  // Its value works without children, and the label under the edit's name is left alone.
  EXPECT_TRUE(driver.Get<bool>([&] { return calendar->SetDateTime(2024, 7, 1, 8, 0, 0); }));
  EXPECT_EQ(driver.Get<std::string>([&] { return calendar->GetValue().Format().Str(); }), "2024-07-01 08:00:00");
  EXPECT_EQ(driver.Text("cal/EditEX"), "not an edit");
  // The same through an include.
  auto* again = Find<CDateTimeCtrlUI>("dtc/again");
  auto* picker = Find<CDateTimeCtrlUI>("dtc");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(driver.Get<int>([&] { return again->GetCount(); }), 0);
  // No month box and a label for the days: the refresh skips what it cannot reach.
  ASSERT_TRUE(driver.Type("dtc/edit_year", "2024"));
  EXPECT_EQ(driver.Get<int>([&] { return picker->GetDayCount(); }), 0);
}

TEST_F(BrokenLayoutsTest, PopupsWithoutTheirControlsStillWork) {
  // A lone button opens the calendar pop-up; its grid and time field are missing.
  driver.Run([&] {
    auto* button = new CJqDateTimeUI;
    button->SetName("lone");
    button->SetFixedHeight(28);
    static_cast<ui::CContainerUI*>(window->GetPaintManager()->FindControl("cal")->GetParent())->Add(button);
  });
  ASSERT_TRUE(driver.Click("lone"));
  const HWND calendar = driver.FindWindow("CCalendarWnd");
  ASSERT_NE(calendar, nullptr);
  ASSERT_TRUE(driver.Click("SetDate", calendar));
  EXPECT_EQ(driver.FindWindow("CCalendarWnd"), nullptr);
  EXPECT_EQ(Count("textchanged", "lone"), 1);

  ASSERT_TRUE(driver.Click("tp"));
  const HWND period = driver.FindWindow("CTimePeriodWnd");
  ASSERT_NE(period, nullptr);
  ASSERT_TRUE(driver.Click("btn_set", period));
  EXPECT_EQ(driver.FindWindow("CTimePeriodWnd"), nullptr);
  EXPECT_EQ(driver.Text("tp"), "");
}

}  // namespace
}  // namespace configtool::test
