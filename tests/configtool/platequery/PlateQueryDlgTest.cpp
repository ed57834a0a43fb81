// The plate query against a simulated camera with 45 stored records (hidden plates among them, and
// one picture larger than the download buffer): pages, the selected record's picture, the CSV
// export, and closes while an export or a download runs.

#include "configtool/features/platequery/PlateQueryDlg.h"

#include <filesystem>
#include <thread>

#include "configtool/controls/JqListTextElementUI.h"
#include "configtool/features/platequery/PlateCsvFile.h"
#include "configtool/features/platequery/PlateImageDownload.h"
#include "configtool/features/platequery/PlatePictureFiles.h"
#include "configtool/features/platequery/PlateQueryTexts.h"
#include "platform/os/File.h"
#include "platform/os/LocalTime.h"
#include "platform/ui/host/Host.h"
#include "sim/SeedData.h"
#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using namespace std::chrono_literals;

constexpr const char* kDialog = "plateQuery";
constexpr const char* kList = "plate_record_list";
constexpr std::size_t kRecords = 45;
const char* const kButtons[] = {"btn_query", "btn_export", "btn_prev_page", "btn_next_page", "closebtn"};

class PlateQueryDlgTest : public DialogTest {
 protected:
  void BeforeWindow() override {
    camsim::SeedPlateRecords(harness.Camera(0), kRecords - 1, 7);
    // One more, at the time of the tenth, with a picture the download buffer cannot hold.
    harness.Camera(0).With([](camsim::CameraState& state) {
      camsim::PlateRecord big = state.plates.Records()[9];
      big.result.recordId = state.plates.NextId();
      big.jpeg = std::make_shared<const std::vector<std::uint8_t>>(kPlatePictureBufferBytes + 1, 0xFF);
      state.plates.Add(big);
    });
  }

  HWND OpenQuery() {
    OpenCameraOk();
    Driver().Click("btn_plate_record");
    return WaitForDialog(kDialog);
  }
  std::vector<camsim::PlateRecord> Stored() {
    return harness.Camera(0).With([](camsim::CameraState& state) {
      return std::vector<camsim::PlateRecord>(state.plates.Records().begin(), state.plates.Records().end());
    });
  }
  int RowCount() { return ListRowCount(kList); }
  PlateQueryRowTexts Row(int index) { return ListRowTexts<std::tuple_size_v<PlateQueryRowTexts>>(kList, index); }
  void ExpectPage(const std::vector<camsim::PlateRecord>& stored, std::size_t first, int count) {
    ASSERT_EQ(RowCount(), count);
    for (int i = 0; i < count; ++i) {
      const camsim::PlateRecord& record = stored[first + static_cast<std::size_t>(i)];
      EXPECT_EQ(Row(i), MakePlateQueryRowTexts(record.result, record.queryTrigger)) << i;
    }
  }
  std::string Picture() {
    return Driver().Get<std::string>([&] { return Driver().Control("imgControl")->GetBkImage().Str(); });
  }
  std::string PicturePath(int recordId) { return DownloadedPicturePath(harness.AppFolder().string(), recordId); }
  void ExpectButtons(bool enabled) {
    for (const char* button : kButtons) EXPECT_EQ(Enabled(button), enabled) << button;
  }
  std::vector<std::filesystem::path> CsvFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(harness.AppFolder())) {
      if (entry.path().extension() == ".csv") files.push_back(entry.path());
    }
    return files;
  }
};

TEST_F(PlateQueryDlgTest, PagesThroughTheRecordsWithHiddenPlatesAsTheLiveListShowsThem) {
  const auto stored = Stored();
  ASSERT_EQ(stored.size(), kRecords);
  const HWND dialog = OpenQuery();
  ASSERT_NE(dialog, nullptr);
  const os::LocalTime today = os::GetLocalTime();
  char midnight[32];
  std::snprintf(midnight, sizeof midnight, "%d-%02d-%02d 00:00:00", today.year, today.month, today.day);
  EXPECT_EQ(Text("plate_dt_start/EditEX"), midnight);
  EXPECT_TRUE(Driver().IsVisible("btn_export"));
  EXPECT_TRUE(Driver().IsVisible("lbl_progress_value"));

  Driver().Click("btn_query");
  EXPECT_EQ(Text("lbl_plate_msg"), "共45条记录, 1/3");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 20; }));
  ExpectPage(stored, 0, 20);
  EXPECT_EQ(Row(6)[2], "*******");

  Driver().Click("btn_next_page");
  EXPECT_EQ(Text("lbl_plate_msg"), "共45条记录, 2/3");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 20; }));
  ExpectPage(stored, 20, 20);
  Driver().Click("btn_next_page");
  EXPECT_EQ(Text("lbl_plate_msg"), "共45条记录, 3/3");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 5; }));
  ExpectPage(stored, 40, 5);
  Driver().Click("btn_next_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无下一页记录! ");
  Driver().Click("btn_prev_page");
  Driver().Click("btn_prev_page");
  EXPECT_EQ(Text("lbl_plate_msg"), "共45条记录, 1/3");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 20; }));
  ExpectPage(stored, 0, 20);
  Driver().Click("btn_prev_page");
  EXPECT_EQ(harness.DismissMessageBox(), "无上一页记录! ");
}

TEST_F(PlateQueryDlgTest, ShowsTheSelectedRecordsPictureAndNoneForOneTooLarge) {
  const auto stored = Stored();
  const HWND dialog = OpenQuery();
  ASSERT_NE(dialog, nullptr);
  Driver().Click("btn_query");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 20; }));

  ASSERT_TRUE(Driver().Select(kList, 1));
  const std::string path = PicturePath(stored[1].result.recordId);
  ASSERT_TRUE(harness.Eventually([&] { return Picture() == path; }));
  EXPECT_EQ(os::ReadWholeFile(path), std::string(stored[1].jpeg->begin(), stored[1].jpeg->end()));
  ExpectButtons(true);
  SaveScreenshot(dialog, "plate_query.png");

  // The record of the large picture (filed after the tenth) shows none rather than the last one.
  ASSERT_EQ(Row(10)[0], std::to_string(stored[10].result.recordId));
  ASSERT_GT(stored[10].jpeg->size(), static_cast<std::size_t>(kPlatePictureBufferBytes));
  ASSERT_TRUE(Driver().Select(kList, 10));
  ASSERT_TRUE(harness.Eventually([&] { return Picture().empty(); }));
  EXPECT_FALSE(std::filesystem::exists(PicturePath(stored[10].result.recordId)));
  ExpectButtons(true);
}

// A download that is not back in 800 ms disables the buttons until it is; a row picked meanwhile
// is downloaded next, and its picture is the one shown.
TEST_F(PlateQueryDlgTest, ASlowDownloadNeverHoldsTheWindow) {
  const auto stored = Stored();
  ASSERT_NE(OpenQuery(), nullptr);
  Driver().Click("btn_query");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 20; }));
  camsim::Fault slow;
  slow.delay = 1500ms;
  slow.times = 1;
  harness.Camera(0).Faults().Set(Operation::LoadPlateImage, slow);

  ASSERT_TRUE(Driver().Select(kList, 2));
  Driver().AdvanceClock(799ms);
  ExpectButtons(true);
  ASSERT_TRUE(Driver().Select(kList, 3));
  Driver().AdvanceClock(2ms);
  ExpectButtons(false);

  const std::string path = PicturePath(stored[3].result.recordId);
  ASSERT_TRUE(harness.Eventually([&] { return Picture() == path; }));
  ExpectButtons(true);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::LoadPlateImage), 2u);
  EXPECT_EQ(os::ReadWholeFile(path), std::string(stored[3].jpeg->begin(), stored[3].jpeg->end()));
}

TEST_F(PlateQueryDlgTest, ExportsTheHeaderAndEveryRecordOnce) {
  const auto stored = Stored();
  ASSERT_NE(OpenQuery(), nullptr);
  Driver().Click("btn_export");
  const std::string notice = AwaitMessageBox();
  const std::string prefix = "导出成功,文件路径:";
  ASSERT_EQ(notice.rfind(prefix, 0), 0u) << notice;
  const std::string path = notice.substr(prefix.size(), notice.size() - prefix.size() - 1);
  EXPECT_EQ(std::filesystem::path(path).parent_path(), harness.AppFolder());
  std::string expected = PlateCsvHeaderLine();
  for (const camsim::PlateRecord& record : stored) {
    AppendPlateCsvRow(expected, MakePlateQueryRowTexts(record.result, record.queryTrigger));
  }
  EXPECT_EQ(os::ReadWholeFile(path), expected);
  EXPECT_EQ(Text("lbl_progress_value"), "45/45");
  ExpectButtons(true);
  // The records went to the file, not to the list.
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(PlateQueryDlgTest, SaysSoWhenThereIsNothingToQueryOrExport) {
  ASSERT_NE(OpenQuery(), nullptr);
  SetText("edit_plate", "NOPLATE");
  Driver().Click("btn_query");
  EXPECT_EQ(Text("lbl_plate_msg"), "共0条记录");
  Driver().Click("btn_export");
  EXPECT_EQ(harness.DismissMessageBox(), "导出数据失败，未查询出车牌历史记录! ");

  camsim::Fault failed{camera::protocol::Status::Failed};
  harness.Camera(0).Faults().Set(Operation::PlateQueryCount, failed);
  Driver().Click("btn_query");
  EXPECT_EQ(harness.DismissMessageBox(), "查询车牌记录失败，请重试!");
  EXPECT_EQ(Text("lbl_plate_msg"), "共0条记录");
  Driver().Click("btn_export");
  EXPECT_EQ(harness.DismissMessageBox(), "查询车牌记录失败，请重试!");
  EXPECT_TRUE(CsvFiles().empty());
}

TEST_F(PlateQueryDlgTest, AnExportMissingAPageWritesNoFile) {
  ASSERT_NE(OpenQuery(), nullptr);
  camsim::Fault failed{camera::protocol::Status::Failed};
  failed.after = 1;
  failed.times = 1;
  harness.Camera(0).Faults().Set(Operation::PlateQueryPage, failed);
  Driver().Click("btn_export");
  EXPECT_EQ(AwaitMessageBox(), "导出车牌查询失败，请重试!");
  EXPECT_TRUE(CsvFiles().empty());
  ExpectButtons(true);
}

TEST_F(PlateQueryDlgTest, AFrameCloseDuringAnExportStopsItWithinOnePage) {
  const HWND dialog = OpenQuery();
  ASSERT_NE(dialog, nullptr);
  camsim::Fault slow;
  slow.delay = 300ms;
  harness.Camera(0).Faults().Set(Operation::PlateQueryPage, slow);
  Driver().Click("btn_export");
  ExpectButtons(false);
  ASSERT_TRUE(harness.Eventually([&] { return harness.Camera(0).Calls().CountOf(Operation::PlateQueryPage) > 0; }));

  const std::size_t pagesAsked = harness.Camera(0).Calls().CountOf(Operation::PlateQueryPage);
  const auto start = std::chrono::steady_clock::now();
  Driver().Run([&] { ui::HostCloseRequest(dialog); });
  ASSERT_TRUE(harness.Eventually([&] { return !os::IsWindow(dialog); }, 14s));
  // Well short of the 15 s a page's wait may last: the close ends the wait.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  const std::size_t pages = harness.Camera(0).Calls().CountOf(Operation::PlateQueryPage);
  EXPECT_LE(pages, pagesAsked + 1);
  std::this_thread::sleep_for(700ms);
  EXPECT_EQ(harness.Camera(0).Calls().CountOf(Operation::PlateQueryPage), pages);
  EXPECT_TRUE(CsvFiles().empty());
  EXPECT_TRUE(harness.Messages().empty());
  EXPECT_TRUE(Enabled("btn_plate_record"));
}

// Records of a page asked before never show, and what is still queued when the window goes is
// freed with it (the sanitizer builds see a leak otherwise).
TEST_F(PlateQueryDlgTest, RecordsOfAnEarlierPageOrAGoneWindowNeverShow) {
  const HWND dialog = OpenQuery();
  ASSERT_NE(dialog, nullptr);
  Driver().Click("btn_query");
  ASSERT_TRUE(harness.Eventually([&] { return RowCount() == 20; }));
  const PlateQueryRowTexts first = Row(0);
  auto stale = std::make_unique<PlateQueryRecordMessage>();
  stale->page = 0;
  ASSERT_TRUE(os::PostMessage(dialog, WM_PLATE_QUERY_RECORD, reinterpret_cast<WPARAM>(stale.release()), 1));
  Driver().WaitUntilIdle();
  EXPECT_EQ(RowCount(), 20);
  EXPECT_EQ(Row(0), first);

  Driver().Run([&] {
    os::PostMessage(dialog, WM_PLATE_QUERY_RECORD, reinterpret_cast<WPARAM>(new PlateQueryRecordMessage), 1);
    os::PostMessage(dialog, WM_PLATE_IMAGE_LOADED, reinterpret_cast<WPARAM>(new PlateImageLoaded), 0);
    ui::DestroyWindow(dialog);
  });
  Driver().WaitUntilIdle();
  EXPECT_FALSE(os::IsWindow(dialog));
}

}  // namespace
}  // namespace configtool::test
