// The whitelist export and import workers against a simulated camera in the process: pages and
// batches with their true counts, the file, the round trip of every column the file carries, the
// failures and their notices, and a close that stops a job.

#include "configtool/features/whitelist/WlistExportJob.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ExpectReadBack.h"
#include "FullWeekSchedule.h"
#include "PostedMessages.h"
#include "common/FixedText.h"
#include "configtool/features/whitelist/WlistCsvFile.h"
#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistCsvReader.h"
#include "configtool/features/whitelist/WlistImportJob.h"
#include "configtool/features/whitelist/WlistJobMessages.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"
#include "platform/os/File.h"
#include "sim/SeedData.h"
#include "tests/camera/SimCameras.h"
#include "tests/common/TempFolder.h"

namespace wlist::test {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;
using namespace std::chrono_literals;

constexpr const char* kCameraIp = "192.168.1.88";

// What one job reported: its progress as (done, total) when each message was posted, and its end.
struct JobReport {
  std::vector<std::pair<int, int>> progress;
  std::unique_ptr<WlistJobEnd> end;
  bool endedBeforeItsMessage = false;
};

class WlistJobsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_sim.Add(1));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
    m_posted.onPost = [this](const PostedMessages::Message& message) {
      if (message.wParam == 0) {
        m_progress.emplace_back(m_control->Done(), m_control->Total());
      } else {
        m_endedBeforeItsMessage = m_control->HasEnded();
      }
    };
  }

  void Seed(const std::vector<CameraClientWhiteListRecord>& records) {
    m_sim.Camera(0).With([&](camsim::CameraState& state) { ASSERT_EQ(state.whitelist.Import(records), camsim::WhitelistStore::Result::Ok); });
  }
  std::vector<CameraClientWhiteListRecord> CameraRecords() {
    return m_sim.Camera(0).With([](camsim::CameraState& state) { return state.whitelist.Page("", 0, 1'000'000); });
  }

  WlistExportTask ExportTask(HWND window = PostedMessages::Window()) {
    return WlistExportTask{m_handle, window, m_folder.Path().string(), kCameraIp, WlistTimeSegmentCodec(), m_control};
  }
  WlistImportTask ImportTask(const std::string& path) {
    return WlistImportTask{m_handle, PostedMessages::Window(), path, WlistTimeSegmentCodec(), m_control};
  }

  // Takes the job's messages up to its end, as the window would.
  JobReport Finish(UINT message) {
    JobReport report;
    while (auto next = m_posted.Next()) {
      EXPECT_EQ(next->message, message);
      if (next->wParam == 0) continue;
      report.end.reset(reinterpret_cast<WlistJobEnd*>(next->lParam));
      break;
    }
    report.progress = m_progress;
    report.endedBeforeItsMessage = m_endedBeforeItsMessage;
    m_progress.clear();
    m_control->Finish();
    return report;
  }
  JobReport Export() {
    StartWlistExport(ExportTask());
    return Finish(WM_WLIST_EXPORT_PROGRESS);
  }
  JobReport Import(const std::string& path) {
    StartWlistImport(ImportTask(path));
    return Finish(WM_WLIST_IMPORT_PROGRESS);
  }
  std::string WriteFile(const std::vector<std::string>& lines) {
    std::string text = WlistCsvHeaderLine();
    for (const std::string& line : lines) text += line + "\r\n";
    return m_folder.Write("import.csv", text);
  }
  // Whether an end message comes (progress posted before a stop may still be queued).
  bool EndPosted() {
    while (const auto next = m_posted.Next(300ms)) {
      if (next->wParam != 0) {
        delete reinterpret_cast<WlistJobEnd*>(next->lParam);
        return true;
      }
    }
    return false;
  }
  std::vector<std::string> FilesInFolder() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) names.push_back(entry.path().filename());
    return names;
  }

  PostedMessages m_posted;
  camera::test::SimCameras m_sim;
  CameraClientHandle m_handle = 0;
  TempFolder m_folder;
  std::shared_ptr<WlistJobControl> m_control = std::make_shared<WlistJobControl>();
  std::vector<std::pair<int, int>> m_progress;
  bool m_endedBeforeItsMessage = false;
};

TEST_F(WlistJobsTest, ExportPagesOutWithTrueCountsAndWritesTheFileOnce) {
  const auto records = camsim::MakeSeedWhitelist(401, 1);
  Seed(records);
  const JobReport report = Export();
  EXPECT_EQ(report.progress, (std::vector<std::pair<int, int>>{{200, 401}, {400, 401}, {401, 401}}));
  ASSERT_TRUE(report.end);
  ASSERT_TRUE(report.end->succeeded);
  EXPECT_TRUE(report.endedBeforeItsMessage);
  EXPECT_EQ(report.end->done, 401);
  EXPECT_EQ(report.end->notice, "导出成功,文件路径:" + report.end->path + "\n");
  EXPECT_EQ(std::filesystem::path(report.end->path).parent_path(), m_folder.Path());
  EXPECT_EQ(std::filesystem::path(report.end->path).filename().string().rfind("192.168.1.88_", 0), 0u);

  const auto text = os::ReadWholeFile(report.end->path);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind(WlistCsvHeaderLine(), 0), 0u);
  std::vector<std::string> plates;
  WlistCsvReader reader([&](WlistCsvRow& row) {
    plates.emplace_back(row.record.plate);
    return true;
  });
  ASSERT_TRUE(reader.Feed(*text) && reader.Finish());
  ASSERT_EQ(plates.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) EXPECT_EQ(plates[i], records[i].plate);
}

TEST_F(WlistJobsTest, AnExportThatCannotFinishSaysSoAndLeavesNoFile) {
  Seed(camsim::MakeSeedWhitelist(450, 2));
  struct Case {
    const char* name;
    std::optional<Operation> operation;
    int after;
    std::string folder;
    const char* notice;
    int done;
  };
  const Case cases[] = {
      {"count refused", Operation::WhiteListCount, 0, "", "查询白名单失败，请重试!", 0},
      {"second page refused", Operation::WhiteListPage, 1, "", "查询白名单失败，请重试!", 200},
      {"folder missing", std::nullopt, 0, "/missing", "导出白名单失败，请重试!", 450},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    camsim::Fault fault{Status::Failed};
    fault.times = 1;
    fault.after = c.after;
    if (c.operation) m_sim.Camera(0).Faults().Set(*c.operation, fault);
    WlistExportTask task = ExportTask();
    task.folder += c.folder;
    StartWlistExport(task);
    const JobReport report = Finish(WM_WLIST_EXPORT_PROGRESS);
    m_sim.Camera(0).Faults().ClearAll();
    ASSERT_TRUE(report.end);
    EXPECT_FALSE(report.end->succeeded);
    EXPECT_EQ(report.end->notice, c.notice);
    EXPECT_EQ(report.end->done, c.done);
    EXPECT_TRUE(report.end->path.empty());
    EXPECT_TRUE(FilesInFolder().empty());
  }
}

TEST_F(WlistJobsTest, TheFileNameKeepsTheCameraTextToOneName) {
  const os::LocalTime time{2026, 3, 7, 9, 5, 4, 0, 6};
  EXPECT_EQ(WlistCsvFilePath("/app", "192.168.1.88", time), "/app/192.168.1.88_20260307090504.csv");
  EXPECT_EQ(WlistCsvFilePath("/app", "../../etc/x", time), "/app/.._.._etc_x_20260307090504.csv");
  EXPECT_EQ(WlistCsvFilePath("/app", "..", time), "/app/___20260307090504.csv");
}

// Everything the file carries comes back: plate, switches, both times to the minute, the whole
// schedule, customer texts with commas, quotes, blanks and line ends.
TEST_F(WlistJobsTest, ExportClearImportRestoresEveryColumnTheFileCarries) {
  auto records = camsim::MakeSeedWhitelist(1000, 3);
  CameraClientWhiteListRecord awkward{};
  CopyToField(awkward.plate, "京Z,0001");
  awkward.useTimeSegments = 1;
  awkward.segments = FullWeekSchedule();
  CopyToField(awkward.customerCode, " VIP, \"gold\"");
  CopyToField(awkward.customerNumber, "line one\r\nline two ");
  records.push_back(awkward);
  Seed(records);
  const auto before = CameraRecords();

  const JobReport exported = Export();
  ASSERT_TRUE(exported.end && exported.end->succeeded) << (exported.end ? exported.end->notice : "");
  ASSERT_EQ(CameraClient_ClearWhiteList(m_handle), 0);
  const JobReport imported = Import(exported.end->path);
  ASSERT_TRUE(imported.end);
  EXPECT_TRUE(imported.end->succeeded) << imported.end->notice;
  EXPECT_EQ(imported.end->notice, "导入完成!");
  EXPECT_EQ(imported.end->done, 1001);
  EXPECT_EQ(imported.end->total, 1002);  // lines after the header: one record holds a line end
  EXPECT_EQ(imported.progress, (std::vector<std::pair<int, int>>{{300, 1002}, {600, 1002}, {900, 1002}, {1001, 1002}}));
  EXPECT_TRUE(imported.endedBeforeItsMessage);

  std::map<std::string, CameraClientWhiteListRecord> after;
  for (const auto& record : CameraRecords()) after[record.plate] = record;
  ASSERT_EQ(after.size(), before.size());
  for (const auto& sent : before) {
    SCOPED_TRACE(sent.plate);
    ExpectReadBack(after.at(sent.plate), sent);
  }
}

TEST_F(WlistJobsTest, ImportSendsBatchesOf300AndEndsWithTheTrueCount) {
  for (const int lines : {300, 301}) {
    SCOPED_TRACE(lines);
    ASSERT_EQ(CameraClient_ClearWhiteList(m_handle), 0);
    m_sim.Camera(0).Calls().Clear();
    std::vector<std::string> rows;
    for (int i = 0; i < lines; ++i) rows.push_back(std::to_string(i) + ",P" + std::to_string(i) + ",是");
    const JobReport report = Import(WriteFile(rows));
    ASSERT_TRUE(report.end);
    EXPECT_TRUE(report.end->succeeded);
    EXPECT_EQ(report.end->done, lines);
    EXPECT_EQ(report.progress, lines == 300 ? (std::vector<std::pair<int, int>>{{300, 300}})
                                            : (std::vector<std::pair<int, int>>{{300, 301}, {301, 301}}));
    EXPECT_EQ(m_sim.Camera(0).Calls().CountOf(Operation::WhiteListImport), lines == 300 ? 1u : 2u);
    EXPECT_EQ(CameraRecords().size(), static_cast<std::size_t>(lines));
  }
}

TEST_F(WlistJobsTest, BadLinesAreCountedAndNamedNotSentToTheCamera) {
  const std::string longPlate(40, 'P');
  const JobReport skipped = Import(WriteFile({
      "1,京A00001,是,2024-01-01 08:00,,否,,否,,",  // line 2
      "2,,是",                                    // 3: empty plate
      "3," + longPlate + ",是",                   // 4: plate over 31 bytes
      "4,京A00004,是,2024-13-01 08:00,,否,,否,,",  // 5: unreadable date, imported without it
      "5,京A00005,否",                              // 6
  }));
  ASSERT_TRUE(skipped.end);
  EXPECT_FALSE(skipped.end->succeeded);
  EXPECT_EQ(skipped.end->notice, "导入未完成：已导入3条，第3行有误！");
  EXPECT_EQ(skipped.end->done, 3);
  const auto records = CameraRecords();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].createTimeSet, 0);

  ASSERT_EQ(CameraClient_ClearWhiteList(m_handle), 0);
  const JobReport malformed = Import(WriteFile({"1,京A00001,是", "2,京A00002,是", "3,\"京A00003,是", "4,京A00004,是"}));
  ASSERT_TRUE(malformed.end);
  EXPECT_EQ(malformed.end->notice, "导入未完成：已导入2条，第4行有误！");
  EXPECT_EQ(CameraRecords().size(), 2u);
}

TEST_F(WlistJobsTest, ARefusedBatchEndsTheImportWithWhatTheCameraTook) {
  camsim::Fault third{Status::Failed};
  third.times = 1;
  third.after = 2;
  m_sim.Camera(0).Faults().Set(Operation::WhiteListImport, third);
  std::vector<std::string> rows;
  for (int i = 0; i < 1000; ++i) rows.push_back(std::to_string(i) + ",P" + std::to_string(i) + ",是");
  const JobReport report = Import(WriteFile(rows));
  ASSERT_TRUE(report.end);
  EXPECT_FALSE(report.end->succeeded);
  EXPECT_EQ(report.end->notice, "导入未完成：已导入600条，第602行有误！");
  EXPECT_EQ(report.end->done, 600);
  EXPECT_EQ(CameraRecords().size(), 600u);
}

TEST_F(WlistJobsTest, AFileWithoutDataIsRefused) {
  for (const std::string& path : {WriteFile({}), m_folder.File("missing.csv")}) {
    SCOPED_TRACE(path);
    const JobReport report = Import(path);
    ASSERT_TRUE(report.end);
    EXPECT_FALSE(report.end->succeeded);
    EXPECT_EQ(report.end->notice, "读取白名单数据失败，请重新选择导入的文件!");
  }
}

TEST_F(WlistJobsTest, AConfirmedCloseStopsAJobWithinOneCameraCall) {
  Seed(camsim::MakeSeedWhitelist(2000, 4));
  camsim::Fault slow;
  slow.delay = 200ms;
  m_sim.Camera(0).Faults().Set(Operation::WhiteListPage, slow);
  StartWlistExport(ExportTask());
  ASSERT_TRUE(m_posted.Next());  // the first page
  auto start = std::chrono::steady_clock::now();
  m_control->StopAndWait();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_FALSE(EndPosted());
  EXPECT_TRUE(FilesInFolder().empty());

  ASSERT_EQ(CameraClient_ClearWhiteList(m_handle), 0);
  m_sim.Camera(0).Faults().Set(Operation::WhiteListImport, slow);
  std::vector<std::string> rows;
  for (int i = 0; i < 3000; ++i) rows.push_back(std::to_string(i) + ",P" + std::to_string(i) + ",是");
  StartWlistImport(ImportTask(WriteFile(rows)));
  ASSERT_TRUE(m_posted.Next());  // the first batch
  // However late this thread gets here, the call in flight is the last one.
  const std::size_t beforeStop = CameraRecords().size();
  start = std::chrono::steady_clock::now();
  m_control->StopAndWait();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_FALSE(EndPosted());
  EXPECT_LE(CameraRecords().size(), beforeStop + static_cast<std::size_t>(kWlistImportBatch));
  EXPECT_LT(CameraRecords().size(), 3000u);
}

TEST_F(WlistJobsTest, AnEndForAWindowThatIsGoneIsFreedByTheWorker) {
  Seed(camsim::MakeSeedWhitelist(10, 5));
  StartWlistExport(ExportTask(PostedMessages::GoneWindow()));
  for (int i = 0; i < 1000 && !m_control->HasEnded(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(m_control->HasEnded());
  EXPECT_EQ(FilesInFolder().size(), 1u);
  EXPECT_FALSE(m_posted.Next(100ms));
}

}  // namespace
}  // namespace wlist::test
