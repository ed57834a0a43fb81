// The plate query's record feed, CSV export and picture download against a simulated camera in
// the process; the test stands in for the window and takes what they post.

#include "configtool/features/platequery/PlateCsvExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "configtool/features/platequery/PlateCsvFile.h"
#include "configtool/features/platequery/PlateExportEvent.h"
#include "configtool/features/platequery/PlateImageDownload.h"
#include "configtool/features/platequery/PlateRecordFeed.h"
#include "platform/os/File.h"
#include "sim/SeedData.h"
#include "tests/camera/SimCameras.h"
#include "tests/common/TempFolder.h"
#include "tests/configtool/whitelist/PostedMessages.h"

namespace {

using namespace std::chrono_literals;
using wlist::test::PostedMessages;

const PlateQueryTexts kAllDay{"2000-01-01 00:00:00", "2099-12-31 23:59:59", ""};

class PlateQueryWorkersTest : public testing::Test {
 protected:
  explicit PlateQueryWorkersTest(bool virtualClock = false) : m_sim(OnClock(virtualClock)) {}
  static camera::test::SimCameras::Options OnClock(bool virtualClock) {
    camera::test::SimCameras::Options options;
    options.virtualClock = virtualClock;
    return options;
  }

  void SetUp() override {
    ASSERT_TRUE(m_sim.Add(1));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
    m_feed = std::make_shared<PlateRecordFeed>(m_handle, PostedMessages::Window());
  }

  void Seed(std::size_t records) { camsim::SeedPlateRecords(m_sim.Camera(0), records, 7); }
  std::vector<int> StoredIds() {
    return m_sim.Camera(0).With([](camsim::CameraState& state) {
      std::vector<int> ids;
      for (const auto& record : state.plates.Records()) ids.push_back(record.result.recordId);
      return ids;
    });
  }

  // The window's part: records go to the export (or are dropped), until the export's end.
  std::optional<LPARAM> ServeExport(PlateCsvExport& exporter, std::chrono::milliseconds timeout = 20s) {
    while (const auto message = m_posted.Next(timeout)) {
      if (message->message == WM_PLATE_EXPORT_DONE) return message->lParam;
      std::unique_ptr<PlateQueryRecordMessage> record(reinterpret_cast<PlateQueryRecordMessage*>(message->wParam));
      exporter.Take(*record);
    }
    return std::nullopt;
  }
  void DropRecords() {
    while (const auto message = m_posted.Next(300ms)) {
      EXPECT_EQ(message->message, WM_PLATE_QUERY_RECORD);
      delete reinterpret_cast<PlateQueryRecordMessage*>(message->wParam);
    }
  }

  PostedMessages m_posted;
  camera::test::SimCameras m_sim;
  CameraClientHandle m_handle = 0;
  std::shared_ptr<PlateRecordFeed> m_feed;
  TempFolder m_folder;
};

TEST_F(PlateQueryWorkersTest, RecordsOfAnEarlierPageAreNeverCurrent) {
  Seed(40);
  const std::vector<int> ids = StoredIds();
  ASSERT_EQ(m_feed->Count(kAllDay), 40);
  ASSERT_EQ(m_feed->RequestPage(kAllDay, 0, 20), 0);
  const auto first = m_posted.Next();
  ASSERT_TRUE(first);
  std::vector<std::unique_ptr<PlateQueryRecordMessage>> messages;
  messages.emplace_back(reinterpret_cast<PlateQueryRecordMessage*>(first->wParam));
  ASSERT_EQ(m_feed->RequestPage(kAllDay, 20, 40), 0);
  while (const auto message = m_posted.Next(500ms)) {
    messages.emplace_back(reinterpret_cast<PlateQueryRecordMessage*>(message->wParam));
  }
  std::set<int> current;
  for (const auto& message : messages) {
    const int id = message->record.recordId;
    if (m_feed->IsCurrent(*message)) {
      current.insert(id);
    } else {
      EXPECT_LT(std::find(ids.begin(), ids.end(), id) - ids.begin(), 20) << id;
    }
  }
  EXPECT_EQ(current, std::set<int>(ids.begin() + 20, ids.end()));
  m_feed->Stop();
}

// 45 records: three pages, the last one short, and hidden plates among them.
TEST_F(PlateQueryWorkersTest, ExportWritesEveryRecordWithoutWaitingOnTheShortLastPage) {
  Seed(45);
  PlateCsvExport exporter(m_feed, PostedMessages::Window(), GetPlateExportEvent());
  const auto start = std::chrono::steady_clock::now();
  exporter.Start(kAllDay, 45);
  EXPECT_TRUE(exporter.Running());
  const auto whole = ServeExport(exporter);
  ASSERT_TRUE(whole);
  EXPECT_EQ(*whole, 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(exporter.Rows(), 45);
  const auto path = exporter.WriteFile(m_folder.Path().string(), os::LocalTime{2026, 3, 7, 9, 5, 4, 0, 6});
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, m_folder.File("plate_20260307_090504.csv"));
  const auto text = os::ReadWholeFile(*path);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind(PlateCsvHeaderLine(), 0), 0u);
  std::vector<int> written;
  for (std::size_t line = text->find("\r\n") + 2; line < text->size(); line = text->find("\r\n", line) + 2) {
    written.push_back(std::atoi(text->c_str() + line));
  }
  EXPECT_EQ(written, StoredIds());  // in page order, which is time order
  EXPECT_NE(text->find(",*******,"), std::string::npos);
  m_feed->Stop();
}

TEST_F(PlateQueryWorkersTest, AFileThatCannotBeWrittenIsReportedAndRemoved) {
  Seed(3);
  PlateCsvExport exporter(m_feed, PostedMessages::Window(), GetPlateExportEvent());
  exporter.Start(kAllDay, 3);
  ASSERT_TRUE(ServeExport(exporter));
  EXPECT_FALSE(exporter.WriteFile(m_folder.File("missing"), os::LocalTime{}));
  m_feed->Stop();
}

TEST_F(PlateQueryWorkersTest, ACloseStopsTheExportWithoutItsFifteenSeconds) {
  Seed(45);
  {
    PlateCsvExport exporter(m_feed, PostedMessages::Window(), GetPlateExportEvent());
    exporter.Start(kAllDay, 45);
    std::this_thread::sleep_for(100ms);  // the worker waits for a page nobody takes
    const auto start = std::chrono::steady_clock::now();
    exporter.StopAndWait();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_FALSE(exporter.Running());
  }
  m_feed->Stop();
  DropRecords();  // and no end message among them
}

class PlateQueryOnVirtualTimeTest : public PlateQueryWorkersTest {
 protected:
  PlateQueryOnVirtualTimeTest() : PlateQueryWorkersTest(true) {}
};

// A page that does not come whole within 15 s is given up; the export goes on and says so.
TEST_F(PlateQueryOnVirtualTimeTest, APageThatDoesNotComeWholeTimesOut) {
  Seed(20);
  PlateCsvExport exporter(m_feed, PostedMessages::Window(), GetPlateExportEvent());
  exporter.Start(kAllDay, 25);  // the camera has only 20: the second page stays empty
  std::optional<LPARAM> whole;
  for (int second = 0; second < 30 && !whole; ++second) {
    whole = ServeExport(exporter, 200ms);
    if (!whole) m_sim.Clock()->Advance(1s);
  }
  ASSERT_TRUE(whole);
  EXPECT_EQ(*whole, 0);
  EXPECT_EQ(exporter.Rows(), 20);
  m_feed->Stop();
}

TEST(PlateExportEvent, IsOneForTheProcessAndAWaitGivesUpAfterFifteenSeconds) {
  os::VirtualClock clock;
  os::SetClock(&clock);
  os::ManualResetEvent& event = GetPlateExportEvent();
  EXPECT_EQ(&event, &GetPlateExportEvent());
  event.Reset();
  std::atomic<int> result{-1};
  std::thread waiter([&] { result = event.Wait(kPlateExportPageWait) ? 1 : 0; });
  ASSERT_TRUE(clock.WaitForSleepers(1));
  clock.Advance(14999ms);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(result, -1);
  clock.Advance(1ms);
  waiter.join();
  EXPECT_EQ(result, 0);
  os::SetClock(nullptr);
}

TEST_F(PlateQueryWorkersTest, DownloadsAPictureAndRefusesWhatItCannotHold) {
  Seed(2);
  const std::vector<int> ids = StoredIds();
  const int tooLarge = m_sim.Camera(0).With([&](camsim::CameraState& state) {
    camsim::PlateRecord record;
    record.result = state.plates.Records()[0].result;
    record.result.recordId = state.plates.NextId();
    record.jpeg = std::make_shared<const std::vector<std::uint8_t>>(kPlatePictureBufferBytes + 1, 0xFF);
    state.plates.Add(record);
    return record.result.recordId;
  });
  struct Case {
    CameraClientHandle handle;
    int id;
    bool saved;
  };
  const Case cases[] = {{m_handle, ids[0], true}, {m_handle, tooLarge, false}, {m_handle, 0, false}, {0, ids[1], false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const std::string path = m_folder.File(std::to_string(c.id) + ".jpg");
    StartPlateImageDownload(c.handle, PostedMessages::Window(), c.id, path);
    const auto message = m_posted.Next();
    ASSERT_TRUE(message);
    ASSERT_EQ(message->message, WM_PLATE_IMAGE_LOADED);
    std::unique_ptr<PlateImageLoaded> loaded(reinterpret_cast<PlateImageLoaded*>(message->wParam));
    EXPECT_EQ(loaded->recordId, c.id);
    EXPECT_EQ(loaded->path, c.saved ? path : "");
    EXPECT_EQ(os::PathExists(path), c.saved);
  }
  const auto saved = os::ReadWholeFile(m_folder.File(std::to_string(ids[0]) + ".jpg"));
  const auto stored = m_sim.Camera(0).With([&](camsim::CameraState& state) { return state.plates.Image(ids[0]); });
  ASSERT_TRUE(saved && stored);
  EXPECT_EQ(std::vector<std::uint8_t>(saved->begin(), saved->end()), *stored);
}

}  // namespace
