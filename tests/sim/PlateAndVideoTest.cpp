// Plate readings (manual, periodic, hidden) with their clips and stored records, and live video.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <set>

#include "SimulatorFixture.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/VideoMessages.h"

namespace camsim::test {
namespace {

using camera::protocol::EncodeInt32s;
using camera::protocol::Operation;
using camera::protocol::Status;

struct JpegSize {
  int width = 0;
  int height = 0;
};

JpegSize SizeOfJpeg(const std::vector<std::uint8_t>& jpeg) {
  tjhandle handle = tjInitDecompress();
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  const int result = tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &width, &height,
                                         &subsampling, &colourspace);
  tjDestroy(handle);
  return result == 0 ? JpegSize{width, height} : JpegSize{};
}

class PlateAndVideoTest : public SimulatorFixture {
 protected:
  void SetUp() override {
    SimulatorFixture::SetUp();
    m_camera = AddCamera();
    ASSERT_TRUE(m_client.Open(m_camera->Ip(), m_camera->Port()));
  }

  std::optional<camera::protocol::PlateEvent> NextPlate() {
    const auto frame = m_client.WaitEvent(Operation::PlateEvent);
    if (!frame) return std::nullopt;
    return camera::protocol::PlateEvent::Decode(frame->payload);
  }

  std::shared_ptr<SimCamera> m_camera;
  ProtocolClient m_client;
};

TEST_F(PlateAndVideoTest, ForceTriggerReportsAManualReadingWithItsClipAndStoresIt) {
  ASSERT_EQ(m_client.StatusOf(Operation::PlateSubscribe, EncodeInt32s({1})), Status::Ok);
  ASSERT_EQ(m_client.StatusOf(Operation::ForceTrigger), Status::Ok);
  ASSERT_TRUE(m_simulator->Settle());
  const auto event = NextPlate();
  ASSERT_TRUE(event);
  const CameraClientPlateResult& result = event->result;
  EXPECT_EQ(result.triggerType, CAMERACLIENT_TRIGGER_MANUAL);
  EXPECT_EQ(result.plate[15], 0);
  EXPECT_GT(std::strlen(result.plate), 6u);
  EXPECT_EQ(result.year, 2026);
  EXPECT_EQ(result.month, 1);
  EXPECT_EQ(result.hour, 8);
  const JpegSize clip = SizeOfJpeg(event->clip);
  EXPECT_EQ(clip.width, 1280);
  EXPECT_EQ(clip.height, 720);
  EXPECT_GT(result.plateRect.right, result.plateRect.left);
  EXPECT_LE(result.plateRect.right, clip.width);

  const auto query = camera::protocol::PlateQuery{"2026-01-01 00:00:00", "2026-01-01 23:59:59", ""};
  const auto count = m_client.Call(Operation::PlateQueryCount, camera::protocol::PlateQueryCountRequest{query}.Encode());
  ASSERT_TRUE(count);
  EXPECT_EQ(count->payload, EncodeInt32s({1}));
  const auto page = m_client.Call(Operation::PlateQueryPage, camera::protocol::PlateQueryPageRequest{query, 0, 20}.Encode());
  ASSERT_TRUE(page);
  const auto records = camera::protocol::DecodePlateQueryRecords(page->payload, 20);
  ASSERT_TRUE(records);
  ASSERT_EQ(records->size(), 1u);
  EXPECT_EQ((*records)[0].trigger, 2);  // manual, in the query's numbering
  EXPECT_EQ((*records)[0].result.recordId, result.recordId);

  using Image = camera::protocol::PlateImageRequest;
  const auto image = m_client.Call(Operation::LoadPlateImage, Image{result.recordId, 921600}.Encode());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->payload, event->clip);
  EXPECT_EQ(m_client.StatusOf(Operation::LoadPlateImage, Image{result.recordId, 100}.Encode()), Status::TooLarge);
  EXPECT_EQ(m_client.StatusOf(Operation::LoadPlateImage, Image{result.recordId + 1, 921600}.Encode()), Status::NotFound);
}

TEST_F(PlateAndVideoTest, PeriodicReadingsOnVirtualTimeIncludeHiddenPlatesAndSeveralTriggers) {
  ASSERT_EQ(m_client.StatusOf(Operation::PlateSubscribe, EncodeInt32s({0})), Status::Ok);
  m_camera->SetPlatesPerMinute(6);
  Advance(std::chrono::seconds(9));
  EXPECT_FALSE(m_client.WaitEvent(Operation::PlateEvent, std::chrono::milliseconds(100)));

  Advance(std::chrono::seconds(61));  // readings at 10, 20, ..., 70 s
  std::set<int> triggers;
  int hidden = 0;
  for (int i = 0; i < 7; ++i) {
    const auto event = NextPlate();
    ASSERT_TRUE(event) << i;
    EXPECT_TRUE(event->clip.empty());  // subscribed without pictures
    triggers.insert(event->result.triggerType);
    if (event->result.plate[15] != 0) ++hidden;
  }
  EXPECT_EQ(hidden, 1);
  EXPECT_GE(triggers.size(), 3u);
  EXPECT_FALSE(triggers.count(CAMERACLIENT_TRIGGER_MANUAL));
  EXPECT_EQ(m_camera->With([](CameraState& s) { return s.plates.Size(); }), 7u);

  m_camera->SetPlatesPerMinute(0);
  Advance(std::chrono::seconds(60));
  EXPECT_FALSE(m_client.WaitEvent(Operation::PlateEvent, std::chrono::milliseconds(100)));
}

TEST_F(PlateAndVideoTest, AnInjectedPlateArrivesAsGiven) {
  ASSERT_EQ(m_client.StatusOf(Operation::PlateSubscribe, EncodeInt32s({1})), Status::Ok);
  m_camera->ReportPlate(SyntheticPlate{"粤B12345", 2, "黄", 3}, CAMERACLIENT_TRIGGER_IO | CAMERACLIENT_TRIGGER_LOOP, true);
  const auto event = NextPlate();
  ASSERT_TRUE(event);
  // GBK of 粤B12345, then the rest of the hidden plate's field filled.
  EXPECT_EQ(std::string(event->result.plate, 8), std::string("\xD4\xC1" "B12345"));
  EXPECT_NE(event->result.plate[15], 0);
  EXPECT_STREQ(event->result.colorText, "\xBB\xC6");
  EXPECT_EQ(event->result.colorCode, 2);
  EXPECT_EQ(event->result.plateType, 3);
  EXPECT_EQ(event->result.triggerType, 10);
}

TEST_F(PlateAndVideoTest, UnsubscribedConnectionsGetNoPlates) {
  ProtocolClient watcher;
  ASSERT_TRUE(watcher.Open(m_camera->Ip(), m_camera->Port()));
  ASSERT_EQ(watcher.StatusOf(Operation::PlateSubscribe, EncodeInt32s({1})), Status::Ok);
  ASSERT_EQ(watcher.StatusOf(Operation::PlateUnsubscribe), Status::Ok);
  m_camera->Trigger(CAMERACLIENT_TRIGGER_MANUAL);
  ASSERT_TRUE(m_simulator->Settle());
  EXPECT_FALSE(watcher.WaitEvent(Operation::PlateEvent, std::chrono::milliseconds(300)));
  EXPECT_FALSE(m_client.WaitEvent(Operation::PlateEvent, std::chrono::milliseconds(10)));
}

TEST_F(PlateAndVideoTest, VideoFramesComeAtTheConfiguredSizeUntilStopped) {
  ASSERT_EQ(m_client.StatusOf(Operation::SetFrameSize, EncodeInt32s({1})), Status::Ok);  // 352 x 288
  ASSERT_EQ(m_client.StatusOf(Operation::VideoStart, EncodeInt32s({0})), Status::Ok);
  std::uint32_t lastNumber = 0;
  for (int i = 0; i < 3; ++i) {
    const auto frame = m_client.WaitEvent(Operation::VideoFrame);
    ASSERT_TRUE(frame);
    const auto event = camera::protocol::VideoFrameEvent::Decode(frame->payload);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->width, 352);
    EXPECT_EQ(event->height, 288);
    const JpegSize size = SizeOfJpeg(event->jpeg);
    EXPECT_EQ(size.width, 352);
    EXPECT_EQ(size.height, 288);
    EXPECT_GT(event->frameNumber, lastNumber);
    lastNumber = event->frameNumber;
  }
  // A change of size shows in the next frames.
  ASSERT_EQ(m_client.StatusOf(Operation::SetFrameSize, EncodeInt32s({0})), Status::Ok);  // 704 x 576
  bool resized = false;
  for (int i = 0; i < 10 && !resized; ++i) {
    const auto frame = m_client.WaitEvent(Operation::VideoFrame);
    ASSERT_TRUE(frame);
    resized = camera::protocol::VideoFrameEvent::Decode(frame->payload)->width == 704;
  }
  EXPECT_TRUE(resized);

  ASSERT_EQ(m_client.StatusOf(Operation::VideoStop), Status::Ok);
  while (m_client.WaitEvent(Operation::VideoFrame, std::chrono::milliseconds(200))) {
  }
  EXPECT_FALSE(m_client.WaitEvent(Operation::VideoFrame, std::chrono::milliseconds(300)));
}

TEST_F(PlateAndVideoTest, HeldVideoSendsOneFramePerStepOnceWatched) {
  m_camera->HoldVideo(true);
  m_camera->StepVideo(1);  // asked before anyone watches: it comes with the first watcher
  ASSERT_EQ(m_client.StatusOf(Operation::SetFrameSize, EncodeInt32s({1})), Status::Ok);
  ASSERT_EQ(m_client.StatusOf(Operation::VideoStart, EncodeInt32s({0})), Status::Ok);
  EXPECT_TRUE(m_client.WaitEvent(Operation::VideoFrame));
  EXPECT_FALSE(m_client.WaitEvent(Operation::VideoFrame, std::chrono::milliseconds(300)));
  m_camera->StepVideo(2);
  EXPECT_TRUE(m_client.WaitEvent(Operation::VideoFrame));
  EXPECT_TRUE(m_client.WaitEvent(Operation::VideoFrame));
  EXPECT_FALSE(m_client.WaitEvent(Operation::VideoFrame, std::chrono::milliseconds(300)));
  m_camera->HoldVideo(false);
  EXPECT_TRUE(m_client.WaitEvent(Operation::VideoFrame));
  EXPECT_TRUE(m_client.WaitEvent(Operation::VideoFrame));
}

}  // namespace
}  // namespace camsim::test
