// Lists: selection by the user and by code, multiple selection with its highlight count, header
// clicks and column rectangles, rows of texts and rows built from templates.

#include "platform/ui/controls/UIList.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/UIListContainerElement.h"
#include "platform/ui/controls/UIListHeader.h"
#include "platform/ui/controls/UIListTextElement.h"
#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,400">
  <VerticalLayout>
    <List name="list" height="200" itemselectedbkcolor="#FFBAE4FF">
      <ListHeader height="24">
        <ListHeaderItem name="col_ip" text="设备IP" width="120"/>
        <ListHeaderItem name="col_version" text="当前版本" width="150"/>
      </ListHeader>
    </List>
    <Control/>
  </VerticalLayout>
</Window>)");

const std::string kRowTemplate = Utf8(u8R"(<ListContainerElement height="30">
  <HorizontalLayout>
    <Label name="row_label" text="行" width="100"/>
    <Button name="row_button" text="移除" width="60"/>
  </HorizontalLayout>
</ListContainerElement>)");

class ListTest : public ControlsTest {
 protected:
  void SetUp() override {
    m_skin.Add("row.xml", kRowTemplate);
    Open(kLayout);
    driver.Run([&] {
      for (int i = 0; i < 3; ++i) AddTextRow(i);
    });
    driver.WaitUntilIdle();
  }
  CListUI* List() { return Find<CListUI>("list"); }
  void AddTextRow(int i) {
    auto* row = new CListTextElementUI;
    const std::string name = "row" + std::to_string(i);
    row->SetName(name.c_str());
    List()->Add(row);
    row->SetText(0, ("10.0.0." + std::to_string(i)).c_str());
    row->SetText(1, "5.1.7.3");
  }
  RECT RowRect(int index) {
    return driver.Get<RECT>([&] {
      UpdateWindow(hwnd);
      return List()->GetItemAt(index)->GetPos();
    });
  }
  void ClickRow(int index, WPARAM keys = 0) { ClickAt(Centre(RowRect(index)), keys); }
  int CurSel() { return driver.Get<int>([&] { return List()->GetCurSel(); }); }
  int SelectCount() { return driver.Get<int>([&] { return List()->GetSelectItemCount(); }); }
  std::vector<bool> RowStates() {
    return driver.Get<std::vector<bool>>([&] {
      std::vector<bool> states;
      for (int i = 0; i < List()->GetCount(); ++i) {
        states.push_back(static_cast<IListItemUI*>(List()->GetItemAt(i)->GetInterface("ListItem"))->IsSelected());
      }
      return states;
    });
  }
};

TEST_F(ListTest, ClickSendsItemClickThenItemSelectWithTheNewAndOldIndex) {
  ClickRow(1);
  std::vector<Notification> notes;
  for (const Notification& n : Notes()) {
    if (n.type == "itemclick" || n.type == "itemselect") notes.push_back(n);
  }
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].type, "itemclick");
  EXPECT_EQ(notes[0].sender, "row1");
  EXPECT_EQ(notes[1].type, "itemselect");
  EXPECT_EQ(notes[1].sender, "list");
  EXPECT_EQ(notes[1].wParam, 1u);
  EXPECT_EQ(notes[1].lParam, -1);
  EXPECT_EQ(CurSel(), 1);

  // The same row again: a click, but no change of selection.
  ClearNotes();
  ClickRow(1);
  EXPECT_EQ(Types("row1"), std::vector<std::string>{"itemclick"});
  EXPECT_TRUE(Types("list").empty());
}

TEST_F(ListTest, SelectItemFromCodeSendsNothingAndOutOfRangeSelectsNothing) {
  ClearNotes();
  driver.Run([&] {
    EXPECT_TRUE(List()->SelectItem(2));
    EXPECT_EQ(List()->GetCurSel(), 2);
  });
  EXPECT_EQ(RowStates(), (std::vector<bool>{false, false, true}));
  driver.Run([&] { EXPECT_FALSE(List()->SelectItem(7)); });
  EXPECT_EQ(CurSel(), -1);
  EXPECT_EQ(RowStates(), (std::vector<bool>{false, false, false}));
  driver.Run([&] { EXPECT_FALSE(List()->SelectItem(-1)); });
  EXPECT_TRUE(Types("list").empty());
}

TEST_F(ListTest, MultipleSelectionByControlAndShiftClicksCountsTheHighlightedRows) {
  driver.Run([&] { List()->SetMultiSelect(true); });
  struct Step {
    int row;
    WPARAM keys;
    std::vector<bool> states;
    int curSel;
  };
  const std::vector<Step> steps = {
      {0, 0, {true, false, false}, 0},
      {2, MK_CONTROL, {true, false, true}, 2},
      {0, MK_CONTROL, {false, false, true}, 2},  // Ctrl toggles a selected row off
      {2, MK_SHIFT, {true, true, true}, 2},      // the range from the last Ctrl click
      {1, 0, {false, true, false}, 1},           // a plain click keeps one row
  };
  for (const Step& step : steps) {
    ClickRow(step.row, step.keys);
    EXPECT_EQ(RowStates(), step.states) << "row " << step.row;
    EXPECT_EQ(CurSel(), step.curSel) << "row " << step.row;
    int count = 0;
    for (bool selected : step.states) count += selected ? 1 : 0;
    EXPECT_EQ(SelectCount(), count) << "row " << step.row;
  }
  EXPECT_EQ(Count("itemselect"), 5);
}

TEST_F(ListTest, HeaderClicksSendHeaderClickAndTheColumnsFollowTheHeaderItems) {
  driver.Click("col_version");
  ASSERT_EQ(Types("col_version"), std::vector<std::string>{"headerclick"});
  EXPECT_EQ(driver.Text("col_version"), "当前版本");
  driver.Run([&] {
    UpdateWindow(hwnd);
    const TListInfoUI* info = List()->GetListInfo();
    ASSERT_EQ(info->nColumns, 2);
    const RECT list = List()->GetPos();
    EXPECT_EQ(info->rcColumn[0].left, list.left);
    EXPECT_EQ(info->rcColumn[0].right, list.left + 120);
    EXPECT_EQ(info->rcColumn[1].left, list.left + 120);
    EXPECT_EQ(info->rcColumn[1].right, list.left + 270);
    // Rows lie below the header.
    EXPECT_GE(List()->GetItemAt(0)->GetPos().top, List()->GetHeader()->GetPos().bottom);
  });
}

TEST_F(ListTest, TextRowsDrawEachTextInItsColumn) {
  driver.Run([&] {
    auto* row = static_cast<CListTextElementUI*>(List()->GetItemAt(0));
    EXPECT_EQ(row->GetText(0), "10.0.0.0");
    EXPECT_EQ(row->GetText(5), "");
    row->SetText(UILIST_MAX_COLUMNS, "ignored");
    row->SetText(-1, "ignored");
    EXPECT_EQ(row->GetText(UILIST_MAX_COLUMNS), "");
    const Canvas* picture = HostWindowPicture(hwnd);
    const TListInfoUI* info = List()->GetListInfo();
    const RECT rc = row->GetPos();
    auto hasInk = [&](long left, long right) {
      for (long x = left; x < right; ++x) {
        for (long y = rc.top; y < rc.bottom; ++y) {
          if ((picture->ColorAt(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFF) < 0x808080) return true;
        }
      }
      return false;
    };
    EXPECT_TRUE(hasInk(info->rcColumn[0].left, info->rcColumn[0].right));
    EXPECT_TRUE(hasInk(info->rcColumn[1].left, info->rcColumn[1].right));
    EXPECT_FALSE(hasInk(info->rcColumn[1].right + 2, rc.right - 12));
  });
}

TEST_F(ListTest, RemovingRowsKeepsTheSelectionOnTheSameRow) {
  driver.Run([&] {
    List()->SelectItem(2);
    List()->RemoveAt(0);
    EXPECT_EQ(List()->GetCurSel(), 1);
    EXPECT_EQ(List()->GetItemAt(1)->GetName(), "row2");
    EXPECT_EQ(static_cast<IListItemUI*>(List()->GetItemAt(1)->GetInterface("ListItem"))->GetIndex(), 1);
    List()->Remove(List()->GetItemAt(1));
    EXPECT_EQ(List()->GetCurSel(), -1);
    EXPECT_EQ(List()->GetSelectItemCount(), 0);
    List()->RemoveAll();
    EXPECT_EQ(List()->GetCount(), 0);
  });
}

TEST_F(ListTest, DoubleClickActivatesTheRowAndKeysMoveTheSelection) {
  driver.DoubleClick("row0");
  EXPECT_EQ(Types("row0"), (std::vector<std::string>{"itemclick", "itemactivate"}));
  ClearNotes();
  driver.PressKey(VK_DOWN);
  driver.PressKey(VK_DOWN);
  driver.PressKey(VK_DOWN);  // already on the last row
  EXPECT_EQ(CurSel(), 2);
  EXPECT_EQ(Count("itemselect"), 2);
}

TEST_F(ListTest, TemplateRowsSendItemClickUnlessAChildTakesThePress) {
  driver.Run([&] {
    List()->RemoveAll();
    CDialogBuilder builder;
    CControlUI* row = builder.Create("row.xml", nullptr, nullptr, &window->Manager());
    ASSERT_NE(row, nullptr);
    row->SetName("tpl");
    List()->Add(row);
  });
  driver.Click("row_label");
  EXPECT_EQ(Types("tpl"), std::vector<std::string>{"itemclick"});
  EXPECT_EQ(CurSel(), 0);
  ClearNotes();
  driver.Click("row_button");
  EXPECT_EQ(Types("row_button"), std::vector<std::string>{"click"});
  EXPECT_TRUE(Types("tpl").empty());
}

TEST_F(ListTest, ManyRowsScrollAndEnsureVisibleBringsARowIntoView) {
  driver.Run([&] {
    for (int i = 3; i < 30; ++i) AddTextRow(i);
  });
  driver.Run([&] {
    UpdateWindow(hwnd);
    List()->EnsureVisible(29);
    UpdateWindow(hwnd);
    const RECT body = List()->GetList()->GetPos();
    const RECT last = List()->GetItemAt(29)->GetPos();
    EXPECT_LE(last.bottom, body.bottom);
    EXPECT_GE(last.top, body.top);
    EXPECT_GT(List()->GetList()->GetScrollPos().cy, 0);
  });
}

}  // namespace
}  // namespace ui::testing
