// The text row of the whitelist and plate-query lists: its own notifications on press, drag and
// double click, beside the text row's behaviour.

#include "configtool/controls/JqListTextElementUI.h"

#include <gtest/gtest.h>

#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const std::string kLayout = Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="420,300">
  <VerticalLayout>
    <List name="list" height="200">
      <ListHeader height="24">
        <ListHeaderItem name="col_id" text="ID" width="60"/>
        <ListHeaderItem name="col_time" text="时间" width="150"/>
        <ListHeaderItem name="col_plate" text="车牌号码" width="100"/>
      </ListHeader>
    </List>
    <Control/>
  </VerticalLayout>
</Window>)");

class JqListTextElementTest : public ControlsTest {
 protected:
  void SetUp() override {
    Open(kLayout);
    driver.Run([&] {
      for (int i = 0; i < 2; ++i) {
        auto* row = new CJqListTextElementUI;
        row->SetName(("row" + std::to_string(i)).c_str());
        Find<CListUI>("list")->Add(row);
        row->SetText(0, std::to_string(i).c_str());
        row->SetText(1, "2026-03-07 09:05:04");
        row->SetText(2, "京A12345");
      }
      UpdateWindow(hwnd);
    });
    driver.WaitUntilIdle();
    m_row = driver.Get<RECT>([&] { return Find<CControlUI>("row0")->GetPos(); });
  }
  // The row's notifications of its own, in order.
  std::vector<std::string> RowTypes() {
    std::vector<std::string> types;
    for (const std::string& type : Types("row0")) {
      if (type != "itemclick" && type != "itemactivate") types.push_back(type);
    }
    return types;
  }
  LPARAM LastParam(const std::string& type) {
    LPARAM value = -1;
    for (const Notification& n : Notes()) {
      if (n.type == type) value = n.lParam;
    }
    return value;
  }
  void DoubleClickAt(POINT pt) {
    driver.Run([&] {
      ThreadQueue::Current()->lastDownWindow = nullptr;
      HostMouseEvent(hwnd, WM_MOUSEMOVE, pt, 0);
      for (int i = 0; i < 2; ++i) {
        HostMouseEvent(hwnd, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        HostMouseEvent(hwnd, WM_LBUTTONUP, pt, 0);
      }
    });
  }
  POINT InRow(long x) const { return POINT{x, (m_row.top + m_row.bottom) / 2}; }

  RECT m_row{};
};

TEST_F(JqListTextElementTest, APressAndDragReportSelectionDragsAndTheDragsEnd) {
  DragThrough({InRow(20), InRow(40), InRow(60)});
  EXPECT_EQ(RowTypes(), (std::vector<std::string>{"list_item_selected", "list_item_drag", "list_item_drag", "list_item_drag_end"}));
  ClearNotes();
  ClickAt(InRow(20));
  EXPECT_EQ(RowTypes(), (std::vector<std::string>{"list_item_selected"}));
  ClearNotes();
  MoveMouse(InRow(80));  // no button: no drag
  EXPECT_TRUE(RowTypes().empty());
}

TEST_F(JqListTextElementTest, ADoubleClickNamesTheColumnUnderThePointer) {
  const std::pair<long, LPARAM> cases[] = {{30, 0}, {100, 1}, {250, 2}, {400, 0}};  // 400: right of the last
  for (const auto& [x, column] : cases) {
    SCOPED_TRACE(x);
    ClearNotes();
    DoubleClickAt(InRow(x));
    EXPECT_EQ(Count("listitemdblclick"), 1);
    EXPECT_EQ(LastParam("listitemdblclick"), column);
  }
}

TEST_F(JqListTextElementTest, ADisabledRowSendsNothingOfItsOwn) {
  driver.Run([&] { Find<CControlUI>("row0")->SetEnabled(false); });
  DoubleClickAt(InRow(100));
  DragThrough({InRow(20), InRow(40)});
  EXPECT_TRUE(RowTypes().empty());
}

}  // namespace
}  // namespace ui::testing
