// Live plates with clips, the stored plate records and their pictures, and live video, over the
// simulated camera.

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "Eventually.h"
#include "SimCameras.h"
#include "TestJpeg.h"
#include "platform/os/File.h"
#include "platform/os/WindowSystem.h"
#include "sim/SeedData.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kEver = "2000-01-01 00:00:00";
constexpr const char* kNever = "2099-12-31 23:59:59";

struct LivePlates {
  std::mutex mutex;
  std::vector<CameraClientPlateResult> results;
  std::vector<int> saved;
  std::vector<std::thread::id> threads;
  std::string folder;
};

int OnLivePlate(CameraClientHandle, void* user, const CameraClientPlateResult* result, int, int count, int,
                CameraClientImageHandle clip) {
  auto* live = static_cast<LivePlates*>(user);
  if (count < 1 || result == nullptr) return 0;
  std::lock_guard lock(live->mutex);
  const std::string path = live->folder + "/" + std::to_string(live->results.size()) + "_clip.jpg";
  live->saved.push_back(clip != 0 ? CameraClient_SaveImageJpeg(clip, path.c_str(), 100) : -2);
  live->results.push_back(*result);
  live->threads.push_back(std::this_thread::get_id());
  return 0;
}

struct QueriedRecords {
  std::mutex mutex;
  std::vector<CameraClientPlateResult> records;
  std::vector<int> triggers;
  std::set<std::thread::id> threads;
  std::size_t Size() {
    std::lock_guard lock(mutex);
    return records.size();
  }
};

int OnQueriedRecord(CameraClientHandle handle, void* user, const CameraClientPlateResult* record, int, int trigger) {
  auto* queried = static_cast<QueriedRecords*>(user);
  if (handle == 0 || record == nullptr) return 0;
  std::lock_guard lock(queried->mutex);
  queried->records.push_back(*record);
  queried->triggers.push_back(trigger);
  queried->threads.insert(std::this_thread::get_id());
  return 0;
}

class ContractPlatesTest : public testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() / ("camera_plates_" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    m_live.folder = m_folder.string();
    ASSERT_TRUE(m_sim.Add(1));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  std::size_t LiveCount() {
    std::lock_guard lock(m_live.mutex);
    return m_live.results.size();
  }

  SimCameras m_sim;
  CameraClientHandle m_handle = 0;
  std::filesystem::path m_folder;
  LivePlates m_live;
};

TEST_F(ContractPlatesTest, AManualTriggerReportsAPlateWithItsClip) {
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, OnLivePlate, &m_live, 1), 0);
  ASSERT_EQ(CameraClient_ForceTrigger(m_handle), 0);
  ASSERT_TRUE(Eventually([&] { return LiveCount() == 1; }));
  std::lock_guard lock(m_live.mutex);
  const CameraClientPlateResult& result = m_live.results[0];
  EXPECT_EQ(result.triggerType, CAMERACLIENT_TRIGGER_MANUAL);
  EXPECT_GE(result.month, 1);
  EXPECT_LE(result.month, 12);
  EXPECT_GE(result.year, 2000);
  EXPECT_GT(result.plateRect.right, result.plateRect.left);
  EXPECT_NE(m_live.threads[0], std::this_thread::get_id());
  ASSERT_EQ(m_live.saved[0], 0);
  const auto clip = os::ReadWholeFile(m_live.folder + "/0_clip.jpg");
  ASSERT_TRUE(clip);
  EXPECT_GT(InspectJpeg(std::vector<std::uint8_t>(clip->begin(), clip->end())).width, 0);
}

TEST_F(ContractPlatesTest, WithoutPicturesThereIsNoClip) {
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, OnLivePlate, &m_live, 0), 0);
  m_sim.Camera(0).Trigger(CAMERACLIENT_TRIGGER_LOOP);
  ASSERT_TRUE(Eventually([&] { return LiveCount() == 1; }));
  std::lock_guard lock(m_live.mutex);
  EXPECT_EQ(m_live.saved[0], -2);
  EXPECT_EQ(m_live.results[0].triggerType, CAMERACLIENT_TRIGGER_LOOP);
}

TEST_F(ContractPlatesTest, NoPlateArrivesOnceTheCallbackIsRemoved) {
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, OnLivePlate, &m_live, 1), 0);
  m_sim.Camera(0).SetPlatesPerMinute(6000);
  ASSERT_TRUE(Eventually([&] { return LiveCount() >= 3; }));
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, nullptr, nullptr, 0), 0);
  const std::size_t settled = LiveCount();
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(LiveCount(), settled);
}

TEST_F(ContractPlatesTest, StoredRecordsArriveOnALibraryThreadWithTheirPictures) {
  for (int i = 0; i < 25; ++i) m_sim.Camera(0).Trigger(i % 2 == 0 ? CAMERACLIENT_TRIGGER_MANUAL : CAMERACLIENT_TRIGGER_LOOP);
  ASSERT_TRUE(Eventually([&] { return m_sim.Camera(0).With([](camsim::CameraState& s) { return s.plates.Size(); }) == 25; }));

  QueriedRecords queried;
  ASSERT_EQ(CameraClient_SetQueryCallback(m_handle, OnQueriedRecord, &queried), 0);
  EXPECT_EQ(CameraClient_QueryPlateCount(m_handle, kEver, kNever, ""), 25);
  EXPECT_LT(CameraClient_QueryPlateCount(m_handle, kNever, kNever, ""), 1);
  EXPECT_LT(CameraClient_QueryPlateCount(m_handle, "\xC8\xD5\xC6\xDA\xB2\xBB\xBA\xCF\xB7\xA8!", kNever, ""), 1);

  ASSERT_EQ(CameraClient_QueryPlatePage(m_handle, kEver, kNever, "", 20, 40), 0);  // the last 5
  ASSERT_EQ(CameraClient_QueryPlatePage(m_handle, kEver, kNever, "", 0, 20), 0);
  ASSERT_TRUE(Eventually([&] { return queried.Size() == 25; }));
  std::set<int> ids;
  {
    std::lock_guard lock(queried.mutex);
    EXPECT_FALSE(queried.threads.count(std::this_thread::get_id()));
    for (std::size_t i = 0; i < queried.records.size(); ++i) {
      ids.insert(queried.records[i].recordId);
      EXPECT_GE(queried.triggers[i], 1);
      EXPECT_LE(queried.triggers[i], 5);
    }
  }
  EXPECT_EQ(ids.size(), 25u);

  // The plate filter matches anywhere in the plate text.
  const std::string plate(queried.records[0].plate, strnlen(queried.records[0].plate, 16));
  EXPECT_GE(CameraClient_QueryPlateCount(m_handle, kEver, kNever, plate.substr(2).c_str()), 1);

  std::vector<std::uint8_t> picture(921600);
  int size = static_cast<int>(picture.size());
  ASSERT_EQ(CameraClient_LoadPlateImage(m_handle, *ids.begin(), picture.data(), &size), 0);
  ASSERT_GT(size, 0);
  picture.resize(static_cast<std::size_t>(size));
  EXPECT_GT(InspectJpeg(picture).width, 0);
  int tiny = 10;
  std::uint8_t small[10];
  EXPECT_NE(CameraClient_LoadPlateImage(m_handle, *ids.begin(), small, &tiny), 0);
  EXPECT_EQ(tiny, 10);
  int none = 1000;
  EXPECT_NE(CameraClient_LoadPlateImage(m_handle, 987654, picture.data(), &none), 0);
}

// The first record it is given waits until the test lets it go.
struct HeldRecords {
  std::mutex mutex;
  std::condition_variable changed;
  bool hold = true;
  std::vector<int> ids;
  // Set once the next registration has returned: a call from then on is one too many.
  std::atomic<bool> replaced{false};
  int callsAfterReplaced = 0;
};

int OnHeldRecord(CameraClientHandle, void* user, const CameraClientPlateResult* record, int, int) {
  auto* held = static_cast<HeldRecords*>(user);
  std::unique_lock lock(held->mutex);
  if (held->replaced) ++held->callsAfterReplaced;
  held->ids.push_back(record->recordId);
  held->changed.notify_all();
  held->changed.wait(lock, [&] { return !held->hold; });
  return 0;
}

// A window that pages on must never see a record of the page before (issue: a late record of the
// previous page landed in the next one).
TEST_F(ContractPlatesTest, NoRecordOfAnEarlierPageArrivesOnceTheCallbackIsSetAgain) {
  camsim::SeedPlateRecords(m_sim.Camera(0), 40, 5);
  HeldRecords held;
  ASSERT_EQ(CameraClient_SetQueryCallback(m_handle, OnHeldRecord, &held), 0);
  ASSERT_EQ(CameraClient_QueryPlatePage(m_handle, kEver, kNever, "", 0, 20), 0);
  {
    std::unique_lock lock(held.mutex);
    ASSERT_TRUE(held.changed.wait_for(lock, 10s, [&] { return !held.ids.empty(); }));
  }

  // Set again (as a window does before its next page) while the first page is being delivered;
  // the call waits for the running callback, which the test releases.
  QueriedRecords queried;
  std::atomic<bool> setterStarted{false};
  std::thread setter([&] {
    setterStarted = true;
    EXPECT_EQ(CameraClient_SetQueryCallback(m_handle, OnQueriedRecord, &queried), 0);
    held.replaced = true;
  });
  ASSERT_TRUE(Eventually([&] { return setterStarted.load(); }));
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(held.replaced);
  {
    std::lock_guard lock(held.mutex);
    held.hold = false;
  }
  held.changed.notify_all();
  setter.join();

  ASSERT_EQ(CameraClient_QueryPlatePage(m_handle, kEver, kNever, "", 20, 40), 0);
  ASSERT_TRUE(Eventually([&] { return queried.Size() >= 20; }));
  std::this_thread::sleep_for(200ms);
  std::set<int> secondPage;
  m_sim.Camera(0).With([&](camsim::CameraState& state) {
    for (std::size_t i = 20; i < 40; ++i) secondPage.insert(state.plates.Records()[i].result.recordId);
  });
  std::lock_guard lock(queried.mutex);
  std::set<int> received;
  for (const auto& record : queried.records) received.insert(record.recordId);
  EXPECT_EQ(queried.records.size(), 20u);
  EXPECT_EQ(received, secondPage);
  // The old callback got records of the first page only, and none once the new one was set. How
  // many it got before depends on when the setter thread ran: the rest of that page was dropped.
  std::lock_guard heldLock(held.mutex);
  EXPECT_EQ(held.callsAfterReplaced, 0);
  EXPECT_LE(held.ids.size(), 20u);
  for (const int id : held.ids) EXPECT_EQ(secondPage.count(id), 0u);
}

TEST_F(ContractPlatesTest, AHiddenPlateFillsItsField) {
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, OnLivePlate, &m_live, 0), 0);
  camsim::SyntheticPlate plate{"\xE4\xBA\xAC" "A12345", 1, "\xE8\x93\x9D", 1};
  m_sim.Camera(0).ReportPlate(plate, CAMERACLIENT_TRIGGER_STABLE, true);
  ASSERT_TRUE(Eventually([&] { return LiveCount() == 1; }));
  std::lock_guard lock(m_live.mutex);
  EXPECT_NE(m_live.results[0].plate[15], 0);
}

struct Frames {
  std::mutex mutex;
  int count = 0;
  int width = 0;
  int height = 0;
  int Count() {
    std::lock_guard lock(mutex);
    return count;
  }
};

int OnFrame(CameraClientHandle, void* user, const CameraClientFrame* frame) {
  auto* frames = static_cast<Frames*>(user);
  std::lock_guard lock(frames->mutex);
  ++frames->count;
  frames->width = frame->width;
  frames->height = frame->height;
  return 0;
}

class RecordingWindows : public os::WindowSystem {
 public:
  bool Post(HWND, UINT, WPARAM, LPARAM) override { return true; }
  bool IsWindow(HWND) override { return true; }
  bool PresentVideo(HWND, const os::VideoImage& image) override {
    std::lock_guard lock(m_mutex);
    ++m_count;
    m_width = image.width;
    m_height = image.height;
    return true;
  }
  std::optional<SIZE> VideoSize(HWND) override { return SIZE{200, 150}; }
  int Count() {
    std::lock_guard lock(m_mutex);
    return m_count;
  }
  std::mutex m_mutex;
  int m_count = 0;
  int m_width = 0;
  int m_height = 0;
};

TEST_F(ContractPlatesTest, VideoArrivesAtTheConfiguredSize) {
  ASSERT_EQ(CameraClient_SetFrameSize(m_handle, 1), 0);  // 352 x 288
  RecordingWindows windows;
  os::InstallWindowSystem(&windows);
  Frames frames;
  const CameraClientPlayHandle play = CameraClient_StartRealPlay(m_handle, reinterpret_cast<HWND>(0x77));
  ASSERT_NE(play, -1);
  ASSERT_TRUE(Eventually([&] { return windows.Count() >= 2; }));
  const CameraClientPlayHandle stream = CameraClient_StartStream(m_handle, 0, 0, 0);
  ASSERT_NE(stream, -1);
  ASSERT_EQ(CameraClient_SetFrameCallback(m_handle, OnFrame, &frames), 0);
  ASSERT_TRUE(Eventually([&] { return frames.Count() >= 3; }));
  {
    std::lock_guard lock(frames.mutex);
    EXPECT_EQ(frames.width, 352);
    EXPECT_EQ(frames.height, 288);
  }
  CameraClient_StopRealPlay(stream);
  const int afterStop = frames.Count();
  const int presented = windows.Count();
  ASSERT_TRUE(Eventually([&] { return windows.Count() >= presented + 3; }));  // the window still plays
  EXPECT_EQ(frames.Count(), afterStop);
  CameraClient_StopRealPlay(play);
  CameraClient_Close(m_handle);
  os::InstallWindowSystem(nullptr);
  {
    // The window gets pictures of its own size.
    std::lock_guard lock(windows.m_mutex);
    EXPECT_EQ(windows.m_width, 200);
    EXPECT_EQ(windows.m_height, 150);
  }
}

}  // namespace
}  // namespace camera::test
