// Plate, frame and play callbacks against a scripted camera that pushes events when the test
// says: what arrives, on which stream, that nothing runs once a stop has returned, and that the
// threads shared by every handle keep each handle's callbacks in order and one handle's callbacks
// from holding up another's, and that closing (from a callback, against a call) ends them.

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Eventually.h"
#include "Latch.h"
#include "ScriptedCamera.h"
#include "TestJpeg.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/camera/protocol/VideoMessages.h"
#include "platform/os/File.h"
#include "platform/os/WindowSystem.h"

namespace camera::test {
namespace {

using protocol::Frame;
using protocol::Operation;
using namespace std::chrono_literals;

Bytes PlateEventBytes(const char* plate, int trigger, Bytes clip) {
  protocol::PlateEvent event;
  std::memcpy(event.result.plate, plate, std::strlen(plate));
  std::strcpy(event.result.colorText, "blue");
  event.result.triggerType = trigger;
  event.result.year = 2026;
  event.clip = std::move(clip);
  return EventFrame(Operation::PlateEvent, event.Encode());
}

Bytes VideoEventBytes(std::uint32_t number, int width, int height, std::uint8_t level) {
  const protocol::VideoFrameEvent frame{number, width, height, MakeJpeg(width, height, level)};
  return EventFrame(Operation::VideoFrame, frame.Encode());
}

// Records what the library presents into windows of 32 x 24 pixels.
class FakeWindowSystem : public os::WindowSystem {
 public:
  bool Post(HWND, UINT, WPARAM, LPARAM) override { return true; }
  bool IsWindow(HWND) override { return true; }
  bool PresentVideo(HWND hwnd, const os::VideoImage& image) override {
    std::lock_guard lock(m_mutex);
    m_window = hwnd;
    m_width = image.width;
    m_height = image.height;
    m_stride = image.stride;
    m_frameNumber = image.frameNumber;
    m_firstPixel = image.pixels[0];
    m_alpha = image.pixels[3];
    ++m_presented;
    return true;
  }
  std::optional<SIZE> VideoSize(HWND) override { return SIZE{32, 24}; }
  int Presented() {
    std::lock_guard lock(m_mutex);
    return m_presented;
  }

  std::mutex m_mutex;
  HWND m_window = nullptr;
  int m_width = 0;
  int m_height = 0;
  int m_stride = 0;
  std::uint32_t m_frameNumber = 0;
  std::uint8_t m_firstPixel = 0;
  std::uint8_t m_alpha = 0;
  int m_presented = 0;
};

class CallbackGuaranteesTest : public testing::Test {
 protected:
  void SetUp() override {
    CameraClient_Setup();
    m_camera = std::make_unique<ScriptedCamera>([](const Frame& request) { return Answer::Reply(request.header); });
    m_handle = CameraClient_Open("127.0.0.1", m_camera->Port(), "qorvt", "qorvt");
    ASSERT_NE(m_handle, 0);
  }

  void TearDown() override {
    CameraClient_Cleanup();
    m_camera.reset();
    os::InstallWindowSystem(nullptr);
  }

  int CountOf(Operation operation) const {
    int count = 0;
    for (const auto& header : m_camera->Requests()) count += header.operation == operation;
    return count;
  }

  std::unique_ptr<ScriptedCamera> m_camera;
  CameraClientHandle m_handle = 0;
};

struct PlateSink {
  std::mutex mutex;
  std::vector<CameraClientPlateResult> results;
  std::vector<CameraClientImageHandle> clips;
  std::vector<int> saved;
  std::string savePath;
  std::atomic<int> calls{0};
};

int CollectPlate(CameraClientHandle, void* user, const CameraClientPlateResult* result, int, int count, int,
                 CameraClientImageHandle clip) {
  auto* sink = static_cast<PlateSink*>(user);
  std::lock_guard lock(sink->mutex);
  if (count > 0) sink->results.push_back(*result);
  sink->clips.push_back(clip);
  sink->saved.push_back(clip != 0 ? CameraClient_SaveImageJpeg(clip, sink->savePath.c_str(), 100) : -2);
  ++sink->calls;
  return 0;
}

TEST_F(CallbackGuaranteesTest, PlateResultsArriveWithTheirClip) {
  PlateSink sink;
  const auto folder = std::filesystem::temp_directory_path() / ("camera_clip_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  sink.savePath = (folder / "clip.jpg").string();
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CollectPlate, &sink, 1), 0);
  EXPECT_EQ(CountOf(Operation::PlateSubscribe), 1);

  ASSERT_TRUE(m_camera->Push(PlateEventBytes("A12345", CAMERACLIENT_TRIGGER_MANUAL, MakeJpeg(320, 240, 200))));
  ASSERT_TRUE(m_camera->Push(PlateEventBytes("B67890", CAMERACLIENT_TRIGGER_LOOP, {})));
  ASSERT_TRUE(Eventually([&] { return sink.calls == 2; }));

  std::lock_guard lock(sink.mutex);
  EXPECT_STREQ(sink.results[0].plate, "A12345");
  EXPECT_EQ(sink.results[0].triggerType, CAMERACLIENT_TRIGGER_MANUAL);
  EXPECT_NE(sink.clips[0], 0);
  EXPECT_EQ(sink.saved[0], 0);
  EXPECT_EQ(sink.clips[1], 0);  // no picture
  const auto written = os::ReadWholeFile(sink.savePath);
  ASSERT_TRUE(written);
  const auto info = InspectJpeg(Bytes(written->begin(), written->end()));
  EXPECT_EQ(info.width, 320);
  EXPECT_EQ(info.height, 240);
  // A clip handle lives only during its callback.
  EXPECT_NE(CameraClient_SaveImageJpeg(sink.clips[0], sink.savePath.c_str(), 100), 0);
  std::filesystem::remove_all(folder);
}

TEST_F(CallbackGuaranteesTest, MalformedPlateEventsAreDropped) {
  PlateSink sink;
  sink.savePath = "/dev/null";
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CollectPlate, &sink, 1), 0);
  protocol::PlateEvent unterminated;
  std::memset(unterminated.result.colorText, 'c', sizeof unterminated.result.colorText);
  m_camera->Push(EventFrame(Operation::PlateEvent, unterminated.Encode()));
  Bytes truncated = protocol::PlateEvent{}.Encode();
  truncated.resize(100);
  m_camera->Push(EventFrame(Operation::PlateEvent, truncated));
  m_camera->Push(PlateEventBytes("C1", CAMERACLIENT_TRIGGER_STABLE, {}));
  ASSERT_TRUE(Eventually([&] { return sink.calls >= 1; }));
  std::this_thread::sleep_for(50ms);
  std::lock_guard lock(sink.mutex);
  ASSERT_EQ(sink.results.size(), 1u);
  EXPECT_STREQ(sink.results[0].plate, "C1");
}

TEST_F(CallbackGuaranteesTest, AHiddenPlateKeepsItsSixteenBytes) {
  PlateSink sink;
  sink.savePath = "/dev/null";
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CollectPlate, &sink, 0), 0);
  m_camera->Push(PlateEventBytes("****************", CAMERACLIENT_TRIGGER_STABLE, {}));
  ASSERT_TRUE(Eventually([&] { return sink.calls == 1; }));
  std::lock_guard lock(sink.mutex);
  EXPECT_EQ(std::memcmp(sink.results[0].plate, "****************", 16), 0);
}

struct BlockingSink {
  Latch entered;
  Latch release;
  std::atomic<int> calls{0};
};

int BlockingPlate(CameraClientHandle, void* user, const CameraClientPlateResult*, int, int, int,
                  CameraClientImageHandle) {
  auto* sink = static_cast<BlockingSink*>(user);
  if (++sink->calls == 1) {
    sink->entered.Open();
    sink->release.Wait();
  }
  return 0;
}

// After the removing call returns, the callback that ran then has finished and none starts.
TEST_F(CallbackGuaranteesTest, RemovingThePlateCallbackWaitsForTheRunningOne) {
  BlockingSink sink;
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, BlockingPlate, &sink, 0), 0);
  m_camera->Push(PlateEventBytes("D1", CAMERACLIENT_TRIGGER_STABLE, {}));
  sink.entered.Wait();
  std::atomic<bool> removed{false};
  auto remover = std::async(std::launch::async, [&] {
    CameraClient_SetPlateCallback(m_handle, nullptr, nullptr, 0);
    removed = true;
  });
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(removed);
  sink.release.Open();
  remover.get();
  EXPECT_TRUE(removed);
  EXPECT_EQ(CountOf(Operation::PlateUnsubscribe), 1);
  m_camera->Push(PlateEventBytes("D2", CAMERACLIENT_TRIGGER_STABLE, {}));
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(sink.calls, 1);
}

TEST_F(CallbackGuaranteesTest, CloseWaitsForTheRunningCallback) {
  BlockingSink sink;
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, BlockingPlate, &sink, 0), 0);
  m_camera->Push(PlateEventBytes("E1", CAMERACLIENT_TRIGGER_STABLE, {}));
  m_camera->Push(PlateEventBytes("E2", CAMERACLIENT_TRIGGER_STABLE, {}));
  sink.entered.Wait();
  std::atomic<bool> closed{false};
  auto closer = std::async(std::launch::async, [&] {
    CameraClient_Close(m_handle);
    closed = true;
  });
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(closed);
  sink.release.Open();
  closer.get();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(sink.calls, 1);  // the queued second event never started
}

// A slow callback must not let clips pile up without bound: events whose clips would take the
// waiting pictures beyond 64 MiB are dropped, events without pictures still queue.
TEST_F(CallbackGuaranteesTest, WaitingClipsAreBounded) {
  BlockingSink sink;
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, BlockingPlate, &sink, 1), 0);
  m_camera->Push(PlateEventBytes("H0", CAMERACLIENT_TRIGGER_STABLE, {}));
  sink.entered.Wait();
  const Bytes largestClip(protocol::kMaxClipBytes, 0x5A);
  constexpr int kLargeEvents = 10;
  for (int i = 0; i < kLargeEvents; ++i) {
    ASSERT_TRUE(m_camera->Push(PlateEventBytes("H1", CAMERACLIENT_TRIGGER_STABLE, largestClip)));
  }
  m_camera->Push(PlateEventBytes("H2", CAMERACLIENT_TRIGGER_STABLE, {}));
  // The reply comes after the events on the same stream: once it is in, every event was taken.
  int state = 0;
  ASSERT_EQ(CameraClient_GetConnectState(m_handle, &state), 0);
  ASSERT_EQ(state, 1);
  sink.release.Open();
  constexpr int kFitting = 8;  // 64 MiB of 8 MiB clips
  ASSERT_TRUE(Eventually([&] { return sink.calls == 1 + kFitting + 1; }));
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(sink.calls, 1 + kFitting + 1);
}

// Plates that take many turns of reading come in one burst, and nothing follows them on the
// stream: what waits in the socket after a turn is read all the same, without more bytes coming.
TEST_F(CallbackGuaranteesTest, EventsLargerThanOneTurnOfReadingArriveWhole) {
  PlateSink sink;
  sink.savePath = "/dev/null";
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CollectPlate, &sink, 1), 0);
  constexpr int kPlates = 6;
  const Bytes one = PlateEventBytes("N1", CAMERACLIENT_TRIGGER_STABLE, Bytes(protocol::kMaxClipBytes, 0x5A));
  Bytes burst;
  for (int i = 0; i < kPlates; ++i) burst.insert(burst.end(), one.begin(), one.end());
  ASSERT_TRUE(m_camera->Push(burst));
  EXPECT_TRUE(Eventually([&] { return sink.calls == kPlates; }, 5s)) << sink.calls << " of " << kPlates;
  EXPECT_EQ(CameraClient_Close(m_handle), 0);  // before the sink goes
}

int CloseFromInside(CameraClientHandle handle, void* user, const CameraClientPlateResult*, int, int, int,
                    CameraClientImageHandle) {
  static_cast<std::promise<int>*>(user)->set_value(CameraClient_Close(handle));
  return 0;
}

int CloseFromInsideAFrame(CameraClientHandle handle, void* user, const CameraClientFrame*) {
  static_cast<std::promise<int>*>(user)->set_value(CameraClient_Close(handle));
  return 0;
}

// From a plate callback, and from a frame callback while plates queue behind it: the close
// returns (it does not wait for the callback it is called from) and ends the handle.
TEST_F(CallbackGuaranteesTest, ACallbackMayCloseItsOwnHandle) {
  std::promise<int> result;
  auto closed = result.get_future();
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CloseFromInside, &result, 0), 0);
  m_camera->Push(PlateEventBytes("F1", CAMERACLIENT_TRIGGER_STABLE, {}));
  ASSERT_EQ(closed.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(closed.get(), 0);
  int mode = 0;
  EXPECT_NE(CameraClient_GetLedMode(m_handle, &mode), 0);

  const CameraClientHandle second = CameraClient_Open("127.0.0.1", m_camera->Port(), "qorvt", "qorvt");
  ASSERT_NE(second, 0);
  std::promise<int> fromFrame;
  auto closedFromFrame = fromFrame.get_future();
  PlateSink plates;
  plates.savePath = "/dev/null";
  ASSERT_EQ(CameraClient_SetPlateCallback(second, CollectPlate, &plates, 0), 0);
  ASSERT_NE(CameraClient_StartStream(second, 0, 0, 0), -1);
  ASSERT_EQ(CameraClient_SetFrameCallback(second, CloseFromInsideAFrame, &fromFrame), 0);
  m_camera->Push(VideoEventBytes(1, 64, 48, 40));
  for (int i = 0; i < 20; ++i) m_camera->Push(PlateEventBytes("F2", CAMERACLIENT_TRIGGER_STABLE, {}));
  ASSERT_EQ(closedFromFrame.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(closedFromFrame.get(), 0);
  EXPECT_NE(CameraClient_GetLedMode(second, &mode), 0);
  const int plateCalls = plates.calls;
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(plates.calls, plateCalls);
}

struct FrameSink {
  std::mutex mutex;
  int calls = 0;
  int width = 0;
  int height = 0;
  int yStride = 0;
  int uStride = 0;
  std::uint8_t y = 0;
  std::uint8_t pastRow = 0;
  CameraClientPlayHandle stopFromInside = 0;
};

int CollectFrame(CameraClientHandle, void* user, const CameraClientFrame* frame) {
  auto* sink = static_cast<FrameSink*>(user);
  std::lock_guard lock(sink->mutex);
  ++sink->calls;
  sink->width = frame->width;
  sink->height = frame->height;
  sink->yStride = frame->yStride;
  sink->uStride = frame->uStride;
  sink->y = frame->y[0];
  // One byte past the end of each row of each plane is readable (the sanitizers check it).
  for (int row = 0; row < frame->height; ++row) sink->pastRow ^= frame->y[row * frame->yStride + frame->width];
  for (int row = 0; row < (frame->height + 1) / 2; ++row) {
    sink->pastRow ^= frame->u[row * frame->uStride + (frame->width + 1) / 2];
    sink->pastRow ^= frame->v[row * frame->vStride + (frame->width + 1) / 2];
  }
  if (sink->stopFromInside != 0) CameraClient_StopRealPlay(sink->stopFromInside);
  return 0;
}

TEST_F(CallbackGuaranteesTest, TheStreamDeliversI420Frames) {
  FrameSink sink;
  const CameraClientPlayHandle stream = CameraClient_StartStream(m_handle, 0, 0, 0);
  ASSERT_NE(stream, -1);
  ASSERT_NE(stream, 0);
  ASSERT_EQ(CameraClient_SetFrameCallback(m_handle, CollectFrame, &sink), 0);
  EXPECT_EQ(CountOf(Operation::VideoStart), 1);
  m_camera->Push(VideoEventBytes(1, 65, 47, 128));  // odd sizes: chroma planes round up
  ASSERT_TRUE(Eventually([&] {
    std::lock_guard lock(sink.mutex);
    return sink.calls == 1;
  }));
  std::lock_guard lock(sink.mutex);
  EXPECT_EQ(sink.width, 65);
  EXPECT_EQ(sink.height, 47);
  EXPECT_GT(sink.yStride, 65);
  EXPECT_GT(sink.uStride, 33);
  EXPECT_NEAR(sink.y, 128, 2);
}

TEST_F(CallbackGuaranteesTest, AFrameThatDoesNotMatchItsEventIsDropped) {
  FrameSink sink;
  ASSERT_NE(CameraClient_StartStream(m_handle, 0, 0, 0), -1);
  ASSERT_EQ(CameraClient_SetFrameCallback(m_handle, CollectFrame, &sink), 0);
  const protocol::VideoFrameEvent wrongSize{1, 64, 48, MakeJpeg(32, 32, 10)};
  m_camera->Push(EventFrame(Operation::VideoFrame, wrongSize.Encode()));
  const protocol::VideoFrameEvent notJpeg{2, 64, 48, Bytes(500, 0x11)};
  m_camera->Push(EventFrame(Operation::VideoFrame, notJpeg.Encode()));
  const protocol::VideoFrameEvent grey{3, 64, 48, MakeJpeg(64, 48, 10, true)};
  m_camera->Push(EventFrame(Operation::VideoFrame, grey.Encode()));  // not 4:2:0
  std::this_thread::sleep_for(100ms);
  m_camera->Push(VideoEventBytes(4, 64, 48, 60));
  ASSERT_TRUE(Eventually([&] {
    std::lock_guard lock(sink.mutex);
    return sink.calls >= 1;
  }));
  std::lock_guard lock(sink.mutex);
  EXPECT_EQ(sink.calls, 1);
  EXPECT_NEAR(sink.y, 60, 2);
}

TEST_F(CallbackGuaranteesTest, AWindowedPlayNeverFeedsTheFrameCallback) {
  FakeWindowSystem windows;
  os::InstallWindowSystem(&windows);
  FrameSink sink;
  const HWND window = reinterpret_cast<HWND>(0x1234);
  const CameraClientPlayHandle play = CameraClient_StartRealPlay(m_handle, window);
  ASSERT_NE(play, -1);
  ASSERT_NE(play, 0);
  ASSERT_EQ(CameraClient_SetFrameCallback(m_handle, CollectFrame, &sink), 0);
  m_camera->Push(VideoEventBytes(1, 64, 48, 200));
  ASSERT_TRUE(Eventually([&] { return windows.Presented() == 1; }));
  {
    std::lock_guard lock(windows.m_mutex);
    EXPECT_EQ(windows.m_window, window);
    EXPECT_EQ(windows.m_width, 32);  // the window's size, not the frame's
    EXPECT_EQ(windows.m_height, 24);
    EXPECT_EQ(windows.m_stride, 32 * 4);
    EXPECT_EQ(windows.m_frameNumber, 1u);
    EXPECT_NEAR(windows.m_firstPixel, 200, 2);
    EXPECT_EQ(windows.m_alpha, 0xFF);
  }
  {
    std::lock_guard lock(sink.mutex);
    EXPECT_EQ(sink.calls, 0);
  }

  const CameraClientPlayHandle stream = CameraClient_StartStream(m_handle, 0, 0, 0);
  ASSERT_NE(stream, -1);
  EXPECT_NE(stream, play);
  EXPECT_EQ(CountOf(Operation::VideoStart), 1);  // the camera streams once per handle
  m_camera->Push(VideoEventBytes(2, 64, 48, 100));
  ASSERT_TRUE(Eventually([&] {
    std::lock_guard lock(sink.mutex);
    return sink.calls == 1;
  }));
  ASSERT_TRUE(Eventually([&] { return windows.Presented() == 2; }));

  CameraClient_StopRealPlay(stream);
  m_camera->Push(VideoEventBytes(3, 64, 48, 100));
  ASSERT_TRUE(Eventually([&] { return windows.Presented() == 3; }));
  {
    std::lock_guard lock(sink.mutex);
    EXPECT_EQ(sink.calls, 1);
  }
  EXPECT_EQ(CountOf(Operation::VideoStop), 0);
  CameraClient_StopRealPlay(play);
  EXPECT_EQ(CountOf(Operation::VideoStop), 1);
  CameraClient_StopRealPlay(play);  // stale: harmless
}

TEST_F(CallbackGuaranteesTest, AStreamMayBeStoppedFromItsOwnFrameCallback) {
  FrameSink sink;
  const CameraClientPlayHandle stream = CameraClient_StartStream(m_handle, 0, 0, 0);
  {
    std::lock_guard lock(sink.mutex);
    sink.stopFromInside = stream;
  }
  ASSERT_EQ(CameraClient_SetFrameCallback(m_handle, CollectFrame, &sink), 0);
  m_camera->Push(VideoEventBytes(1, 64, 48, 1));
  ASSERT_TRUE(Eventually([&] { return CountOf(Operation::VideoStop) == 1; }));
  m_camera->Push(VideoEventBytes(2, 64, 48, 1));
  std::this_thread::sleep_for(50ms);
  std::lock_guard lock(sink.mutex);
  EXPECT_EQ(sink.calls, 1);
}

int SlowFrame(CameraClientHandle, void* user, const CameraClientFrame*) {
  auto* sink = static_cast<BlockingSink*>(user);
  if (++sink->calls == 1) {
    sink->entered.Open();
    sink->release.Wait();
  }
  return 0;
}

TEST_F(CallbackGuaranteesTest, StopRealPlayWaitsForTheRunningFrameCallback) {
  BlockingSink sink;
  const CameraClientPlayHandle stream = CameraClient_StartStream(m_handle, 0, 0, 0);
  ASSERT_EQ(CameraClient_SetFrameCallback(m_handle, SlowFrame, &sink), 0);
  m_camera->Push(VideoEventBytes(1, 64, 48, 1));
  sink.entered.Wait();
  m_camera->Push(VideoEventBytes(2, 64, 48, 1));
  std::atomic<bool> stopped{false};
  auto stopper = std::async(std::launch::async, [&] {
    CameraClient_StopRealPlay(stream);
    stopped = true;
  });
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(stopped);
  sink.release.Open();
  stopper.get();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(sink.calls, 1);
}

TEST_F(CallbackGuaranteesTest, TheSessionIsRestoredAfterAReconnect) {
  CameraClientEncryptInfo info{};
  info.currentMode = 2;
  ASSERT_NE(CameraClient_LoginEncrypted(m_handle, "secret"), 0);  // nothing applied yet
  ASSERT_EQ(CameraClient_ApplyEncryptInfo(m_handle, &info), 0);
  ASSERT_EQ(CameraClient_LoginEncrypted(m_handle, "secret"), 0);
  PlateSink sink;
  sink.savePath = "/dev/null";
  ASSERT_EQ(CameraClient_SetPlateCallback(m_handle, CollectPlate, &sink, 1), 0);
  ASSERT_NE(CameraClient_StartStream(m_handle, 0, 0, 0), -1);
  const std::size_t before = m_camera->Requests().size();

  m_camera->DropConnections();
  ASSERT_TRUE(Eventually([&] { return m_camera->Connections() == 2 && m_camera->Requests().size() >= before + 4; }));
  const auto requests = m_camera->Requests();
  ASSERT_GE(requests.size(), before + 4);
  EXPECT_EQ(requests[before].operation, Operation::Login);
  EXPECT_EQ(requests[before].sequence, 1u);  // sequences start again on a new connection
  EXPECT_EQ(requests[before + 1].operation, Operation::LoginEncrypted);
  EXPECT_EQ(requests[before + 2].operation, Operation::VideoStart);
  EXPECT_EQ(requests[before + 3].operation, Operation::PlateSubscribe);
  int state = 0;
  EXPECT_EQ(CameraClient_GetConnectState(m_handle, &state), 0);
  EXPECT_EQ(state, 1);
  m_camera->Push(PlateEventBytes("G1", CAMERACLIENT_TRIGGER_STABLE, {}));
  EXPECT_TRUE(Eventually([&] { return sink.calls == 1; }));
}


// The threads every handle shares: callbacks run apart from the I/O threads, so a callback that
// blocks holds up only its own handle, and a close that races with delivery still ends them all.
class SharedThreadsTest : public testing::Test {
 protected:
  void SetUp() override { CameraClient_Setup(); }
  void TearDown() override { CameraClient_Cleanup(); }

  // A camera that answers every request (unless told otherwise), and a handle to it.
  CameraClientHandle OpenCamera(
      ScriptedCamera::Handler handler = [](const Frame& request) { return Answer::Reply(request.header); }) {
    m_cameras.push_back(std::make_unique<ScriptedCamera>(std::move(handler)));
    return CameraClient_Open("127.0.0.1", m_cameras.back()->Port(), "qorvt", "qorvt");
  }
  ScriptedCamera& Camera(std::size_t index) { return *m_cameras[index]; }

 private:
  std::vector<std::unique_ptr<ScriptedCamera>> m_cameras;
};

bool Answers(CameraClientHandle handle) {
  int state = 0;
  return CameraClient_GetConnectState(handle, &state) == 0 && state == 1;
}

// More handles block in their callbacks than the library has I/O threads: each of them still reads
// and answers, another handle's callbacks still come, and each blocked handle's next event waits
// for its callback to return.
TEST_F(SharedThreadsTest, CallbacksThatBlockHoldUpOnlyTheirOwnHandles) {
  constexpr std::size_t kBlocked = 6;
  std::vector<CameraClientHandle> handles;
  for (std::size_t i = 0; i <= kBlocked; ++i) {
    handles.push_back(OpenCamera());
    ASSERT_NE(handles.back(), 0);
  }
  std::vector<BlockingSink> blocked(kBlocked);
  for (std::size_t i = 0; i < kBlocked; ++i) {
    ASSERT_EQ(CameraClient_SetPlateCallback(handles[i], BlockingPlate, &blocked[i], 0), 0);
    ASSERT_TRUE(Camera(i).Push(PlateEventBytes("J1", CAMERACLIENT_TRIGGER_STABLE, {})));
  }
  for (BlockingSink& sink : blocked) sink.entered.Wait();  // all of them at once

  for (std::size_t i = 0; i < kBlocked; ++i) {
    EXPECT_TRUE(Camera(i).Push(PlateEventBytes("J2", CAMERACLIENT_TRIGGER_STABLE, {})));
    // The reply comes after the event on the same stream: once it is in, the event was read.
    EXPECT_TRUE(Answers(handles[i])) << "handle " << i;
  }
  PlateSink free;
  // Nothing below may stop the test before the blocked callbacks are released.
  EXPECT_EQ(CameraClient_SetPlateCallback(handles[kBlocked], CollectPlate, &free, 0), 0);
  EXPECT_TRUE(Camera(kBlocked).Push(PlateEventBytes("K1", CAMERACLIENT_TRIGGER_STABLE, {})));
  EXPECT_TRUE(Eventually([&] { return free.calls == 1; }));
  EXPECT_TRUE(Answers(handles[kBlocked]));

  std::this_thread::sleep_for(50ms);
  for (BlockingSink& sink : blocked) EXPECT_EQ(sink.calls, 1);
  for (BlockingSink& sink : blocked) sink.release.Open();
  for (BlockingSink& sink : blocked) EXPECT_TRUE(Eventually([&] { return sink.calls == 2; }));
}

struct RaceSink {
  std::atomic<bool> closed{false};
  std::atomic<int> calls{0};
  std::atomic<int> late{0};  // callbacks that ran after the close had returned
  void Count() {
    if (closed) ++late;
    ++calls;
  }
};

int CountPlateAgainstClose(CameraClientHandle, void* user, const CameraClientPlateResult*, int, int, int,
                           CameraClientImageHandle) {
  static_cast<RaceSink*>(user)->Count();
  return 0;
}

int CountFrameAgainstClose(CameraClientHandle, void* user, const CameraClientFrame*) {
  static_cast<RaceSink*>(user)->Count();
  return 0;
}

// Plates and frames stream in while the handle closes, the close landing at another point of the
// delivery each round: once it has returned no callback runs (and nothing the handle left behind
// is touched after it is gone: the sanitizers check).
TEST_F(SharedThreadsTest, ACloseRacingWithDeliveryEndsEveryCallback) {
  constexpr int kRounds = 20;
  const Bytes plate = PlateEventBytes("L1", CAMERACLIENT_TRIGGER_STABLE, {});
  const Bytes frame = VideoEventBytes(1, 64, 48, 90);
  for (int round = 0; round < kRounds; ++round) {
    const CameraClientHandle handle = OpenCamera();
    ASSERT_NE(handle, 0);
    RaceSink sink;
    ASSERT_EQ(CameraClient_SetPlateCallback(handle, CountPlateAgainstClose, &sink, 0), 0);
    ASSERT_NE(CameraClient_StartStream(handle, 0, 0, 0), -1);
    ASSERT_EQ(CameraClient_SetFrameCallback(handle, CountFrameAgainstClose, &sink), 0);
    ScriptedCamera& camera = Camera(static_cast<std::size_t>(round));
    std::atomic<bool> pushing{true};
    std::thread pusher([&] {
      for (int i = 0; pushing; ++i) {
        if (!camera.Push(i % 2 == 0 ? plate : frame)) break;
      }
    });
    const bool delivering = Eventually([&] { return sink.calls >= 3; });
    std::this_thread::sleep_for(std::chrono::microseconds(200 * round));
    EXPECT_EQ(CameraClient_Close(handle), 0);
    sink.closed = true;
    pushing = false;
    pusher.join();
    ASSERT_TRUE(delivering) << "round " << round;
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(sink.late, 0) << "round " << round;
  }
}

struct OrderSink {
  std::mutex mutex;
  std::vector<int> numbers;
  std::atomic<int> inside{0};
  std::atomic<bool> overlapped{false};
};

int RecordPlateNumber(CameraClientHandle, void* user, const CameraClientPlateResult* result, int, int, int,
                      CameraClientImageHandle) {
  auto* sink = static_cast<OrderSink*>(user);
  if (++sink->inside > 1) sink->overlapped = true;
  {
    std::lock_guard lock(sink->mutex);
    sink->numbers.push_back(std::atoi(result->plate + 1));
  }
  --sink->inside;
  return 0;
}

// More handles than there are I/O and callback threads, each camera pushing its plates at once:
// every handle gets all of its own, in the order its camera sent them, one callback at a time.
TEST_F(SharedThreadsTest, EachHandlesCallbacksComeInOrderOneAtATime) {
  constexpr std::size_t kHandles = 12;
  constexpr int kPlates = 200;
  std::vector<CameraClientHandle> handles;
  std::vector<OrderSink> sinks(kHandles);
  for (std::size_t i = 0; i < kHandles; ++i) {
    handles.push_back(OpenCamera());
    ASSERT_NE(handles.back(), 0);
    ASSERT_EQ(CameraClient_SetPlateCallback(handles[i], RecordPlateNumber, &sinks[i], 0), 0);
  }
  std::vector<std::thread> pushers;
  for (std::size_t i = 0; i < kHandles; ++i) {
    pushers.emplace_back([&, i] {
      for (int n = 0; n < kPlates; ++n) {
        Camera(i).Push(PlateEventBytes(("P" + std::to_string(n)).c_str(), CAMERACLIENT_TRIGGER_STABLE, {}));
      }
    });
  }
  for (auto& pusher : pushers) pusher.join();
  for (std::size_t i = 0; i < kHandles; ++i) {
    ASSERT_TRUE(Eventually([&] {
      std::lock_guard lock(sinks[i].mutex);
      return sinks[i].numbers.size() == kPlates;
    })) << "handle " << i;
    EXPECT_FALSE(sinks[i].overlapped) << "handle " << i;
    std::lock_guard lock(sinks[i].mutex);
    for (int n = 0; n < kPlates; ++n) ASSERT_EQ(sinks[i].numbers[static_cast<std::size_t>(n)], n) << "handle " << i;
  }
  for (const CameraClientHandle handle : handles) EXPECT_EQ(CameraClient_Close(handle), 0);  // before the sinks go
}

// A call waits for a reply that never comes while another thread closes the handle: the close
// returns at once, and so does the call, failed, without waiting out its timeout.
TEST_F(SharedThreadsTest, ACloseEndsACallWaitingForItsReply) {
  std::promise<void> asked;
  const CameraClientHandle handle = OpenCamera([&](const Frame& request) {
    if (request.header.operation != Operation::GetLedMode) return Answer::Reply(request.header);
    asked.set_value();
    return Answer::Nothing();
  });
  ASSERT_NE(handle, 0);
  int mode = -1;
  auto call = std::async(std::launch::async, [&] { return CameraClient_GetLedMode(handle, &mode); });
  asked.get_future().wait();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CameraClient_Close(handle), 0);
  ASSERT_EQ(call.wait_for(2s), std::future_status::ready);
  EXPECT_NE(call.get(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_EQ(mode, -1);
  EXPECT_NE(CameraClient_GetLedMode(handle, &mode), 0);
}

}  // namespace
}  // namespace camera::test
