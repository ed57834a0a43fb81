// Ticking rows: the select-all option, and a tick spread over the highlighted rows.

#include <gtest/gtest.h>

#include "batch/BatchListItem.h"
#include "batch/DlgBatchOperationCfg.h"
#include "tests/batch/ui/BatchProgram.h"

namespace {

class Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    program.AddCameras(3);
    program.Start();
    ASSERT_TRUE(program.WaitForRows(3));
  }
  std::vector<bool> Checks(BatchTab tab) {
    std::vector<bool> checks;
    for (const RowView& row : program.Rows(tab)) checks.push_back(row.checked);
    return checks;
  }
  void Highlight(BatchTab tab, std::initializer_list<int> rows) {
    program.Driver().Run([&] {
      ui::CListUI* list = program.Dialog()->Operator(tab)->List();
      list->UnSelectAllItems();
      for (int row : rows) list->SelectMultiItem(row);
    });
  }

  BatchProgram program;
};

TEST_F(Selection, SelectAllTicksAndClearsEveryRowOfItsTab) {
  ASSERT_TRUE(program.ShowTab(kSelfTab));
  ASSERT_TRUE(program.Click("dlg_opt_self_select_all"));
  EXPECT_EQ(Checks(kSelfTab), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(Checks(kUpdateTab), (std::vector<bool>{false, false, false}));
  ASSERT_TRUE(program.Click("dlg_opt_self_select_all"));
  EXPECT_EQ(Checks(kSelfTab), (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(program.Close());
}

TEST_F(Selection, ATickSpreadsOverTwoOrMoreHighlightedRowsOnly) {
  ASSERT_TRUE(program.ShowTab(kUpdateTab));
  Highlight(kUpdateTab, {0, 2});
  ASSERT_TRUE(program.CheckRows(kUpdateTab, {program.Ip(0)}));
  EXPECT_EQ(Checks(kUpdateTab), (std::vector<bool>{true, false, true}));

  Highlight(kUpdateTab, {1});
  ASSERT_TRUE(program.CheckRows(kUpdateTab, {program.Ip(0)}));
  EXPECT_EQ(Checks(kUpdateTab), (std::vector<bool>{false, false, true})) << "one highlighted row: only the tick";
  EXPECT_TRUE(program.Close());
}

TEST_F(Selection, ChangingTabsLeavesTheTicksAlone) {
  Highlight(kConfigTab, {0, 1, 2});
  ASSERT_TRUE(program.ShowTab(kConfigTab));
  ASSERT_TRUE(program.ShowTab(kUpdateTab));
  ASSERT_TRUE(program.ShowTab(kConfigTab));
  EXPECT_EQ(Checks(kConfigTab), (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(program.Close());
}

}  // namespace
