// The whitelist manager against a simulated camera with a whitelist: paging and the filter over
// 10 000 records, delete and clear, and the CSV export and import run from its buttons, with their
// failures and a close while a job runs.

#include "configtool/features/whitelist/DlgWlistManagr.h"

#include <cstring>
#include <filesystem>
#include <thread>

#include "common/FixedText.h"
#include "platform/os/File.h"
#include "platform/ui/host/Host.h"
#include "tests/configtool/whitelist/ExpectReadBack.h"
#include "tests/configtool/whitelist/FullWeekSchedule.h"
#include "tests/configtool/whitelist/WlistDialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;
using namespace std::chrono_literals;

constexpr const char* kQueryFailed = "查询白名单失败，请重试!";
const char* const kJobButtons[] = {"btn_query",      "btn_add",       "btn_edit",      "btn_delete",
                                   "btn_clear",      "btn_first_page", "btn_prev_page", "btn_next_page",
                                   "btn_last_page",  "btn_jump",      "btn_import",    "btn_export"};

camsim::Fault Failing(int after = 0, int times = -1) {
  camsim::Fault fault{Status::Failed};
  fault.after = after;
  fault.times = times;
  return fault;
}

camsim::Fault Slow(std::chrono::milliseconds delay) {
  camsim::Fault fault;
  fault.delay = delay;
  return fault;
}

class WlistManagerTest : public WlistDialogTest {
 protected:
  // Compares the rows shown with records [first, first + count) of the camera's list.
  void ExpectRows(const std::vector<CameraClientWhiteListRecord>& camera, std::size_t first, int count) {
    ASSERT_EQ(RowCount(), count);
    for (int i = 0; i < count; ++i) {
      const CameraClientWhiteListRecord& record = camera[first + static_cast<std::size_t>(i)];
      EXPECT_EQ(Row(i), Expected(record)) << i;
      EXPECT_EQ(RowId(i), std::to_string(record.recordId)) << i;
    }
  }
  void ExpectButtons(bool enabled) {
    for (const char* button : kJobButtons) EXPECT_EQ(Enabled(button), enabled) << button;
    EXPECT_TRUE(Enabled("closebtn"));
  }
  void Jump(const std::string& page) {
    SetText("edit_page", page);
    Driver().Click("btn_jump");
  }
  std::vector<std::filesystem::path> CsvFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(harness.AppFolder())) {
      if (entry.path().extension() == ".csv") files.push_back(entry.path());
    }
    return files;
  }
  std::string WriteCsv(const std::vector<std::string>& lines) {
    std::string text = "ID,车牌号码,是否启用,建档时间,过期时间,启用时间段,时间段,报警,客户代码,客户编码\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    const std::filesystem::path path = harness.AppFolder() / "hand-made.csv";
    EXPECT_TRUE(os::WriteWholeFile(path.string(), text));
    return path.string();
  }
  std::string Import(const std::string& path) {
    Driver().AnswerNextFileDialog(path);
    Driver().Click("btn_import");
    return AwaitMessageBox();
  }
  bool WaitUntilClosed(HWND dialog, std::chrono::milliseconds limit) {
    return harness.Eventually([&] { return !os::IsWindow(dialog); }, limit);
  }
};

TEST_F(WlistManagerTest, PagesThroughTenThousandRecords) {
  Seed(camsim::MakeSeedWhitelist(10000, 21));
  const auto camera = CameraRecords();
  const HWND manager = OpenManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(Text("lbl_count_msg"), "共10000条记录");
  EXPECT_EQ(Text("lbl_page_msg"), "第1/500页");
  EXPECT_FALSE(Driver().IsVisible("lbl_progress_value"));
  EXPECT_FALSE(Driver().IsVisible("lbl_progress_text"));
  ExpectRows(camera, 0, 20);
  SaveScreenshot(manager, "wlist_manager.png");

  Driver().Click("btn_next_page");
  EXPECT_EQ(Text("lbl_page_msg"), "第2/500页");
  ExpectRows(camera, 20, 20);
  Driver().Click("btn_last_page");
  EXPECT_EQ(Text("lbl_page_msg"), "第500/500页");
  ExpectRows(camera, 9980, 20);
  Driver().Click("btn_next_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无下一页记录!");
  EXPECT_EQ(Text("lbl_page_msg"), "第500/500页");
  Driver().Click("btn_first_page");
  ExpectRows(camera, 0, 20);
  Driver().Click("btn_prev_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无上一页记录!");

  for (const char* page : {"0", "501", "abc", ""}) {
    SCOPED_TRACE(page);
    Jump(page);
    EXPECT_EQ(harness.DismissMessageBox(), "输入的页超出范围，请重新输入!");
  }
  Jump("250");
  EXPECT_EQ(Text("lbl_page_msg"), "第250/500页");
  ExpectRows(camera, 4980, 20);
}

TEST_F(WlistManagerTest, TheFilterCountsAndPagesOnlyMatchingPlates) {
  Seed(camsim::MakeSeedWhitelist(10000, 22));
  ASSERT_NE(OpenManager(), nullptr);
  const std::string filter = "京";
  const auto matching = CameraRecords(filter);
  ASSERT_GT(matching.size(), 20u);
  SetText("edit_plate", filter);
  Driver().Click("btn_query");
  EXPECT_EQ(Text("lbl_count_msg"), "共" + std::to_string(matching.size()) + "条记录");
  const std::size_t pages = (matching.size() + 19) / 20;
  EXPECT_EQ(Text("lbl_page_msg"), "第1/" + std::to_string(pages) + "页");
  ExpectRows(matching, 0, 20);
  // The pages go on with the filter of the query, whatever the field holds now.
  SetText("edit_plate", "");
  Driver().Click("btn_next_page");
  ExpectRows(matching, 20, static_cast<int>(std::min<std::size_t>(20, matching.size() - 20)));
}

TEST_F(WlistManagerTest, AnEmptyWhitelistHasNoPageButTheFirst) {
  ASSERT_NE(OpenManager(), nullptr);
  EXPECT_EQ(Text("lbl_count_msg"), "共0条记录");
  EXPECT_EQ(Text("lbl_page_msg"), "第1/0页");
  EXPECT_EQ(RowCount(), 0);
  Driver().Click("btn_next_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无下一页记录!");
  Driver().Click("btn_prev_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无上一页记录!");
  // The last page of none is the first: asked from row 0, which the camera answers.
  const std::size_t pagesAsked = CameraCalls(Operation::WhiteListPage);
  Driver().Click("btn_last_page");
  EXPECT_EQ(Driver().OpenMessageBoxText(), std::nullopt);
  EXPECT_EQ(Text("lbl_page_msg"), "第1/0页");
  EXPECT_EQ(CameraCalls(Operation::WhiteListPage), pagesAsked + 1);
}

TEST_F(WlistManagerTest, AFailedCountOrPageSaysSo) {
  Seed(camsim::MakeSeedWhitelist(45, 23));
  OpenCameraOk();
  harness.Camera(0).Faults().Set(Operation::WhiteListCount, Failing(0, 1));
  Driver().Click("btn_wlist_cfg");
  EXPECT_EQ(AwaitMessageBox(), kQueryFailed);
  ASSERT_NE(WaitForDialog(kManager), nullptr);
  EXPECT_EQ(Text("lbl_count_msg"), "共0条记录");
  EXPECT_EQ(Text("lbl_page_msg"), "第1/0页");
  EXPECT_EQ(RowCount(), 0);

  Driver().Click("btn_query");
  EXPECT_EQ(Text("lbl_count_msg"), "共45条记录");
  harness.Camera(0).Faults().Set(Operation::WhiteListPage, Failing(0, 1));
  Driver().Click("btn_next_page");
  EXPECT_EQ(harness.DismissMessageBox(), kQueryFailed);
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(WlistManagerTest, DeletesTheSelectedRecordOnlyWhenTheCameraDid) {
  Seed(camsim::MakeSeedWhitelist(45, 24));
  const auto camera = CameraRecords();
  ASSERT_NE(OpenManager(), nullptr);
  Driver().Click("btn_delete");
  EXPECT_EQ(harness.DismissMessageBox(), "请选择一条白名单记录! ");

  ASSERT_TRUE(Driver().Select(kWlistList, 3));
  Driver().Click("btn_delete");
  EXPECT_EQ(harness.DismissMessageBox("no"), "确定要删除此条白名单记录吗?");
  EXPECT_EQ(CameraCalls(Operation::WhiteListDelete), 0u);

  harness.Camera(0).Faults().Set(Operation::WhiteListDelete, Failing(0, 1));
  Driver().Click("btn_delete");
  EXPECT_EQ(harness.DismissMessageBox("yes"), "确定要删除此条白名单记录吗?");
  EXPECT_EQ(harness.DismissMessageBox(), "删除白名单失败，请重试! ");
  EXPECT_EQ(CameraRecords().size(), 45u);

  Driver().Click("btn_delete");
  EXPECT_EQ(harness.DismissMessageBox("yes"), "确定要删除此条白名单记录吗?");
  EXPECT_EQ(harness.DismissMessageBox(), "删除白名单记录成功! ");
  EXPECT_FALSE(CameraRecord(camera[3].plate));
  EXPECT_EQ(Text("lbl_count_msg"), "共44条记录");
  EXPECT_EQ(Row(3)[kWlistPlateColumn], camera[4].plate);

  // A row whose id names no record sends nothing and says it failed.
  const std::size_t deletes = CameraCalls(Operation::WhiteListDelete);
  Driver().Run([&] { dynamic_cast<ui::CListUI*>(Driver().Control(kWlistList))->GetItemAt(0)->SetUserData("0"); });
  ASSERT_TRUE(Driver().Select(kWlistList, 0));
  Driver().Click("btn_delete");
  EXPECT_EQ(harness.DismissMessageBox("yes"), "确定要删除此条白名单记录吗?");
  EXPECT_EQ(harness.DismissMessageBox(), "删除白名单失败，请重试! ");
  EXPECT_EQ(CameraCalls(Operation::WhiteListDelete), deletes);
  EXPECT_EQ(CameraRecords().size(), 44u);
}

TEST_F(WlistManagerTest, ClearingEmptiesTheCameraAndResetsThePages) {
  Seed(camsim::MakeSeedWhitelist(45, 25));
  ASSERT_NE(OpenManager(), nullptr);
  Driver().Click("btn_clear");
  EXPECT_EQ(harness.DismissMessageBox("no"), "确定要清空白名单记录吗?");
  EXPECT_EQ(CameraRecords().size(), 45u);

  harness.Camera(0).Faults().Set(Operation::WhiteListClear, Failing(0, 1));
  Driver().Click("btn_clear");
  EXPECT_EQ(harness.DismissMessageBox("yes"), "确定要清空白名单记录吗?");
  EXPECT_EQ(harness.DismissMessageBox(), "清空白名单失败，请重试! ");
  EXPECT_EQ(RowCount(), 20);

  Driver().Click("btn_next_page");
  Driver().Click("btn_clear");
  EXPECT_EQ(harness.DismissMessageBox("yes"), "确定要清空白名单记录吗?");
  EXPECT_EQ(harness.DismissMessageBox(), "清空白名单成功! ");
  EXPECT_TRUE(CameraRecords().empty());
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(Text("lbl_page_msg"), "第1/1页");
  EXPECT_EQ(Text("lbl_count_msg"), "共0条记录");
  // No page of the records cleared is left to go to.
  Driver().Click("btn_prev_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无上一页记录!");
  Driver().Click("btn_next_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无下一页记录!");
  SetText("edit_page", "2");
  Driver().Click("btn_jump");
  EXPECT_EQ(harness.DismissMessageBox(), "输入的页超出范围，请重新输入!");
}

// Every column the file carries comes back through the dialog's export, clear and import, with
// full-week schedules, commas, quotes and leading blanks among the records.
TEST_F(WlistManagerTest, ExportClearImportRestoresEveryColumnTheFileCarries) {
  auto records = camsim::MakeSeedWhitelist(10000, 26);
  for (int i = 0; i < 3; ++i) {
    CameraClientWhiteListRecord awkward{};
    CopyToField(awkward.plate, "苏E,00" + std::to_string(i));
    awkward.enabled = 1;
    awkward.useTimeSegments = 1;
    awkward.segments = wlist::test::FullWeekSchedule();
    CopyToField(awkward.customerCode, " \"VIP\", gold");
    CopyToField(awkward.customerNumber, "  lead, \"quoted\" ");
    records.push_back(awkward);
  }
  Seed(records);
  const auto before = CameraRecords();
  ASSERT_EQ(before.size(), 10003u);
  ASSERT_NE(OpenManager(), nullptr);

  Driver().Click("btn_export");
  EXPECT_TRUE(Driver().IsVisible("lbl_progress_value"));
  EXPECT_EQ(Text("lbl_progress_text"), "导出进度：");
  const std::string exported = AwaitMessageBox();
  const std::string prefix = "导出成功,文件路径:";
  ASSERT_EQ(exported.rfind(prefix, 0), 0u) << exported;
  const std::string path = exported.substr(prefix.size(), exported.size() - prefix.size() - 1);
  EXPECT_EQ(exported.back(), '\n');
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(Text("lbl_progress_value"), "10003/10003");
  ExpectButtons(true);

  Driver().Click("btn_clear");
  harness.DismissMessageBox("yes");
  EXPECT_EQ(harness.DismissMessageBox(), "清空白名单成功! ");
  ASSERT_TRUE(CameraRecords().empty());

  EXPECT_EQ(Import(path), "导入完成!");
  EXPECT_EQ(Text("lbl_progress_text"), "导入进度：");
  EXPECT_EQ(Text("lbl_count_msg"), "共10003条记录");
  EXPECT_EQ(RowCount(), 20);
  ExpectButtons(true);
  const auto after = CameraRecords();
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    const CameraClientWhiteListRecord& sent = before[i];
    const CameraClientWhiteListRecord& back = after[i];
    SCOPED_TRACE(sent.plate);
    EXPECT_STREQ(back.plate, sent.plate);
    wlist::test::ExpectReadBack(back, sent);
    if (HasFailure()) break;
  }
}

TEST_F(WlistManagerTest, AnImportOfBadLinesSaysWhatWentInAndWhereItStopped) {
  ASSERT_NE(OpenManager(), nullptr);
  const std::string longPlate(40, 'P');
  const std::string path = WriteCsv({
      "1,京A00001,是,2024-01-01 08:00,,否,,否,,",  // line 2
      "2,,是",                                    // 3: empty plate, skipped
      "3," + longPlate + ",是",                   // 4: plate over 31 bytes, skipped
      "4,京A00004,是,2024-13-01 08:00,,否,,否,,",  // 5: unreadable date, imported without it
      "5,京A00005,否",                              // 6
      "6,\"京A00006,是",                           // 7: unterminated quote, the import stops
      "7,京A00007,是",                             // 8
  });
  EXPECT_EQ(Import(path), "导入未完成：已导入3条，第3行有误！");
  EXPECT_EQ(Text("lbl_count_msg"), "共3条记录");
  EXPECT_EQ(Plates(), (std::vector<std::string>{"京A00001", "京A00004", "京A00005"}));
  EXPECT_EQ(CameraRecord("京A00004")->createTimeSet, 0);
  ExpectButtons(true);
}

TEST_F(WlistManagerTest, AThirdBatchFailingEndsTheImportWithTheTrueCount) {
  ASSERT_NE(OpenManager(), nullptr);
  std::vector<std::string> lines;
  for (int i = 0; i < 1000; ++i) lines.push_back(std::to_string(i) + ",P" + std::to_string(10000 + i) + ",是");
  const std::string path = WriteCsv(lines);
  harness.Camera(0).Faults().Set(Operation::WhiteListImport, Failing(2, 1));
  EXPECT_EQ(Import(path), "导入未完成：已导入600条，第602行有误！");
  EXPECT_EQ(Text("lbl_progress_value"), "600/1000");
  EXPECT_EQ(Text("lbl_count_msg"), "共600条记录");
  EXPECT_EQ(CameraRecords().size(), 600u);
}

TEST_F(WlistManagerTest, AFailedExportSaysSoAndWritesNothing) {
  Seed(camsim::MakeSeedWhitelist(450, 27));
  ASSERT_NE(OpenManager(), nullptr);
  harness.Camera(0).Faults().Set(Operation::WhiteListPage, Failing(1, 1));
  Driver().Click("btn_export");
  EXPECT_EQ(AwaitMessageBox(), kQueryFailed);
  EXPECT_TRUE(CsvFiles().empty());
  ExpectButtons(true);
}

TEST_F(WlistManagerTest, ClosingDuringAnExportAsksThenStopsItWithinOnePage) {
  Seed(camsim::MakeSeedWhitelist(4000, 28));
  const HWND manager = OpenManager();
  ASSERT_NE(manager, nullptr);
  harness.Camera(0).Faults().Set(Operation::WhiteListPage, Slow(150ms));
  Driver().Click("btn_export");
  ExpectButtons(false);

  Driver().Click("closebtn");
  EXPECT_EQ(harness.DismissMessageBox("no"), "正在导出白名单。关闭窗口将停止导出，确定要关闭吗？");
  EXPECT_TRUE(os::IsWindow(manager));
  ExpectButtons(false);

  // The frame's close goes the same way.
  Driver().Run([&] { ui::HostCloseRequest(manager); });
  ASSERT_TRUE(harness.Eventually([&] { return Driver().OpenMessageBoxText().has_value(); }));
  const std::size_t pagesAsked = CameraCalls(Operation::WhiteListPage);
  EXPECT_EQ(harness.DismissMessageBox("yes"), "正在导出白名单。关闭窗口将停止导出，确定要关闭吗？");
  EXPECT_TRUE(WaitUntilClosed(manager, 10s));
  // The page it was in, or the one it was asking as the close came; no other. Counted, not timed:
  // the pages are slow, and a loaded machine is slower.
  EXPECT_LE(CameraCalls(Operation::WhiteListPage), pagesAsked + 1);
  std::this_thread::sleep_for(500ms);
  EXPECT_LE(CameraCalls(Operation::WhiteListPage), pagesAsked + 1);
  EXPECT_TRUE(CsvFiles().empty());
  EXPECT_EQ(harness.Messages().size(), 2u);
}

TEST_F(WlistManagerTest, ClosingDuringAnImportStopsItBeforeItsNextBatch) {
  const HWND manager = OpenManager();
  ASSERT_NE(manager, nullptr);
  std::vector<std::string> lines;
  for (int i = 0; i < 6000; ++i) lines.push_back(std::to_string(i) + ",P" + std::to_string(10000 + i) + ",是");
  const std::string path = WriteCsv(lines);
  harness.Camera(0).Faults().Set(Operation::WhiteListImport, Slow(150ms));
  Driver().AnswerNextFileDialog(path);
  Driver().Click("btn_import");
  ExpectButtons(false);
  ASSERT_TRUE(harness.Eventually([&] { return !CameraRecords().empty(); }));
  // Slower batches from here on, so that a loaded machine cannot finish the import before the
  // close comes.
  harness.Camera(0).Faults().Set(Operation::WhiteListImport, Slow(1s));

  Driver().Click("closebtn");
  ASSERT_TRUE(harness.Eventually([&] { return Driver().OpenMessageBoxText().has_value(); }));
  const std::size_t batchesSent = CameraCalls(Operation::WhiteListImport);
  EXPECT_EQ(harness.DismissMessageBox("yes"), "正在导入白名单。关闭窗口将停止导入，确定要关闭吗？");
  EXPECT_TRUE(WaitUntilClosed(manager, 10s));
  EXPECT_LE(CameraCalls(Operation::WhiteListImport), batchesSent + 1);
  const std::size_t taken = CameraRecords().size();
  EXPECT_LT(taken, 6000u);
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(CameraRecords().size(), taken);
  // The main window is usable again, and the camera still open.
  EXPECT_TRUE(Enabled("btn_wlist_cfg"));
  EXPECT_NE(harness.DeviceState().handle, 0);
}

}  // namespace
}  // namespace configtool::test
