// Payload elements and the variable-layout messages: round trips and the layouts refused.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/camera/protocol/DeviceMessages.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/camera/protocol/UpdateMessages.h"
#include "platform/camera/protocol/VideoMessages.h"
#include "platform/camera/protocol/WhiteListMessages.h"

namespace camera::protocol {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PayloadReaderTest, AShortReadFailsEveryReadAfterIt) {
  const Bytes bytes = {1, 0, 0};
  PayloadReader reader(bytes);
  EXPECT_EQ(reader.U16(), 1);
  EXPECT_EQ(reader.U32(), 0u);  // only one byte left
  EXPECT_FALSE(reader.Ok());
  EXPECT_EQ(reader.U8(), 0);  // the byte that was left is not handed out any more
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(PayloadReaderTest, TextLongerThanAllowedFails) {
  const Bytes payload = PayloadWriter().Text("0123456789").Take();
  PayloadReader exact(payload);
  EXPECT_EQ(exact.Text(10), "0123456789");
  EXPECT_TRUE(exact.Done());
  PayloadReader tooLong(payload);
  tooLong.Text(9);
  EXPECT_FALSE(tooLong.Ok());
}

TEST(PayloadReaderTest, TextWhoseLengthPointsPastTheEndFails) {
  const Bytes payload = {5, 0, 'a', 'b'};
  PayloadReader reader(payload);
  reader.Text(100);
  EXPECT_FALSE(reader.Ok());
}

TEST(PayloadWriterTest, WritesLittleEndian) {
  const Bytes bytes = PayloadWriter().U16(0x0102).U32(0x03040506).I32(-2).Take();
  EXPECT_EQ(bytes, (Bytes{2, 1, 6, 5, 4, 3, 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(FixedPayloadTest, Int32sNeedTheExactCount) {
  const Bytes three = EncodeInt32s({1, -1, 7});
  EXPECT_EQ(DecodeInt32s<3>(three), (std::array<std::int32_t, 3>{1, -1, 7}));
  EXPECT_FALSE(DecodeInt32s<2>(three));
  EXPECT_FALSE(DecodeInt32s<4>(three));
}

TEST(FixedPayloadTest, RecordNeedsItsExactSize) {
  CameraClientNetParam param{};
  std::strcpy(param.ip, "127.0.10.9");
  param.port = 8080;
  Bytes bytes = EncodeRecord(param);
  ASSERT_EQ(bytes.size(), 66u);
  EXPECT_EQ(std::memcmp(DecodeRecord<CameraClientNetParam>(bytes)->ip, "127.0.10.9", 11), 0);
  bytes.push_back(0);
  EXPECT_FALSE(DecodeRecord<CameraClientNetParam>(bytes));
  bytes.resize(65);
  EXPECT_FALSE(DecodeRecord<CameraClientNetParam>(bytes));
}

TEST(SessionMessagesTest, RoundTrips) {
  const auto login = LoginRequest::Decode(LoginRequest{"qorvt", "\xC3\xDC\xC2\xEB"}.Encode());
  ASSERT_TRUE(login);
  EXPECT_EQ(login->user, "qorvt");
  EXPECT_EQ(login->password, "\xC3\xDC\xC2\xEB");
  const auto second = EncryptedLoginRequest::Decode(EncryptedLoginRequest{2, ""}.Encode());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->mode, 2);
  EXPECT_EQ(second->password, "");
  const auto mode = EncryptModeRequest::Decode(EncryptModeRequest{"pw", 1}.Encode());
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->mode, 1);
  const auto change = PasswordChangeRequest::Decode(PasswordChangeRequest{"old", "new"}.Encode());
  ASSERT_TRUE(change);
  EXPECT_EQ(change->replacement, "new");
}

TEST(SessionMessagesTest, WebSessionIdMustBeAUsableCookieValue) {
  EXPECT_EQ(WebSessionIdReply::Decode(WebSessionIdReply{"A1b2-C3"}.Encode())->id, "A1b2-C3");
  for (const std::string& bad : {std::string(), std::string("a;b"), std::string("a b"), std::string("a,b"),
                                std::string("a\0b", 3), std::string(256, 'x')}) {
    EXPECT_FALSE(WebSessionIdReply::Decode(PayloadWriter().Text(bad).Take())) << bad;
  }
  EXPECT_TRUE(WebSessionIdReply::Decode(PayloadWriter().Text(std::string(255, 'x')).Take()));
}

TEST(DeviceMessagesTest, NtpServerIsAtMostSixteenBytes) {
  const auto param = NtpParam::Decode(NtpParam{"0123456789abcdef", 1, 3600}.Encode());
  ASSERT_TRUE(param);
  EXPECT_EQ(param->server, "0123456789abcdef");
  EXPECT_EQ(param->enable, 1);
  EXPECT_EQ(param->interval, 3600);
  EXPECT_FALSE(NtpParam::Decode(NtpParam{"0123456789abcdefg", 1, 3600}.Encode()));
  Bytes trailing = NtpParam{"pool", 0, 1}.Encode();
  trailing.push_back(0);
  EXPECT_FALSE(NtpParam::Decode(trailing));
}

TEST(DeviceMessagesTest, SystemLogNeedsRoom) {
  EXPECT_TRUE(SystemLogRequest::Decode(SystemLogRequest{0, 1}.Encode()));
  EXPECT_FALSE(SystemLogRequest::Decode(SystemLogRequest{0, 0}.Encode()));
  EXPECT_FALSE(SystemLogRequest::Decode(SystemLogRequest{0, -5}.Encode()));
}

CameraClientWhiteListRecord Row(int id, const char* plate) {
  CameraClientWhiteListRecord row{};
  row.recordId = id;
  std::strcpy(row.plate, plate);
  return row;
}

TEST(WhiteListMessagesTest, RecordsRoundTripWithinTheirBounds) {
  const std::vector<CameraClientWhiteListRecord> rows = {Row(1, "A12345"), Row(2, "B67890")};
  const Bytes payload = EncodeWhiteListRecords(rows);
  ASSERT_EQ(payload.size(), 4u + 2 * 416);
  const auto decoded = DecodeWhiteListRecords(payload, 0, 2);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(1).recordId, 2);
  EXPECT_STREQ(decoded->at(1).plate, "B67890");
  EXPECT_FALSE(DecodeWhiteListRecords(payload, 0, 1));  // more rows than asked for
  EXPECT_FALSE(DecodeWhiteListRecords(payload, 3, 5));  // fewer than needed
  Bytes truncated(payload.begin(), payload.end() - 1);
  EXPECT_FALSE(DecodeWhiteListRecords(truncated, 0, 2));
  Bytes lying = payload;
  lying[0] = 0xFF;  // a count far beyond the bytes present
  lying[1] = 0xFF;
  EXPECT_FALSE(DecodeWhiteListRecords(lying, 0, 0xFFFFFFFF));
}

TEST(WhiteListMessagesTest, PageRequestBounds) {
  struct Case {
    std::int32_t first;
    std::int32_t count;
    bool valid;
  };
  for (const Case& c : {Case{0, 20, true}, Case{180, 200, true}, Case{0, 1000, true}, Case{-1, 20, false},
                        Case{0, 0, false}, Case{0, 1001, false}}) {
    const Bytes payload = WhiteListPageRequest{"A1", c.first, c.count}.Encode();
    EXPECT_EQ(WhiteListPageRequest::Decode(payload).has_value(), c.valid) << c.first << "," << c.count;
  }
  EXPECT_FALSE(WhiteListPageRequest::Decode(WhiteListPageRequest{std::string(128, 'A'), 0, 20}.Encode()));
}

TEST(PlateMessagesTest, PlateEventCarriesItsClip) {
  PlateEvent event;
  std::memcpy(event.result.plate, "\xBE\xA9" "A12345", 9);
  event.result.triggerType = CAMERACLIENT_TRIGGER_MANUAL;
  event.clip = {0xFF, 0xD8, 0xFF, 0xD9};
  const auto decoded = PlateEvent::Decode(event.Encode());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->clip, event.clip);
  EXPECT_EQ(decoded->result.triggerType, CAMERACLIENT_TRIGGER_MANUAL);
  EXPECT_EQ(std::memcmp(decoded->result.plate, event.result.plate, 16), 0);

  Bytes shortClip = event.Encode();
  shortClip.pop_back();
  EXPECT_FALSE(PlateEvent::Decode(shortClip));
  Bytes longClip = event.Encode();
  longClip.push_back(0);
  EXPECT_FALSE(PlateEvent::Decode(longClip));
  EXPECT_FALSE(PlateEvent::Decode(Bytes(100)));
}

TEST(PlateMessagesTest, QueriesNeedValidTimesAndRanges) {
  const PlateQuery query{"2026-01-01 00:00:00", "2026-01-31 23:59:59", "A1"};
  const auto page = PlateQueryPageRequest::Decode(PlateQueryPageRequest{query, 20, 40}.Encode());
  ASSERT_TRUE(page);
  EXPECT_EQ(page->query.end, query.end);
  EXPECT_EQ(page->end, 40);
  EXPECT_TRUE(PlateQueryCountRequest::Decode(PlateQueryCountRequest{query}.Encode()));

  PlateQuery badTime = query;
  badTime.start = "2026-02-30 00:00:00";
  EXPECT_FALSE(PlateQueryCountRequest::Decode(PlateQueryCountRequest{badTime}.Encode()));
  EXPECT_FALSE(PlateQueryPageRequest::Decode(PlateQueryPageRequest{badTime, 0, 20}.Encode()));
  EXPECT_FALSE(PlateQueryPageRequest::Decode(PlateQueryPageRequest{query, 20, 20}.Encode()));
  EXPECT_FALSE(PlateQueryPageRequest::Decode(PlateQueryPageRequest{query, -1, 20}.Encode()));
  EXPECT_FALSE(PlateQueryPageRequest::Decode(PlateQueryPageRequest{query, 0, 1001}.Encode()));
  EXPECT_TRUE(PlateQueryPageRequest::Decode(PlateQueryPageRequest{query, 0, 1000}.Encode()));
}

TEST(PlateMessagesTest, QueryRecordsNeedKnownTriggers) {
  std::vector<PlateQueryRecord> records(2);
  records[0].trigger = 1;
  records[1].trigger = 5;
  records[1].result.recordId = 77;
  const Bytes payload = EncodePlateQueryRecords(records);
  const auto decoded = DecodePlateQueryRecords(payload, 20);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(1).result.recordId, 77);
  EXPECT_FALSE(DecodePlateQueryRecords(payload, 1));
  for (const std::int32_t trigger : {0, 6, -1}) {
    records[1].trigger = trigger;
    EXPECT_FALSE(DecodePlateQueryRecords(EncodePlateQueryRecords(records), 20)) << trigger;
  }
}

TEST(PlateMessagesTest, ImageRequestNeedsRoom) {
  EXPECT_EQ(PlateImageRequest::Decode(PlateImageRequest{5, 921600}.Encode())->maxBytes, 921600);
  EXPECT_FALSE(PlateImageRequest::Decode(PlateImageRequest{5, 0}.Encode()));
}

TEST(VideoMessagesTest, FrameBounds) {
  VideoFrameEvent frame{3, 1920, 1080, {0xFF, 0xD8}};
  const auto decoded = VideoFrameEvent::Decode(frame.Encode());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->width, 1920);
  EXPECT_EQ(decoded->height, 1080);
  EXPECT_EQ(decoded->jpeg, frame.jpeg);
  for (const auto& [width, height] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{4097, 10}, std::pair{10, 4097}}) {
    EXPECT_FALSE(VideoFrameEvent::Decode(VideoFrameEvent{1, width, height, {1}}.Encode())) << width << "x" << height;
  }
  EXPECT_FALSE(VideoFrameEvent::Decode(VideoFrameEvent{1, 16, 16, {}}.Encode()));
  EXPECT_FALSE(VideoFrameEvent::Decode(Bytes(7)));
}

TEST(UpdateMessagesTest, ChunkBounds) {
  UpdateDataRequest chunk{4096, Bytes(kMaxUpdateChunkBytes, 1)};
  const auto decoded = UpdateDataRequest::Decode(chunk.Encode());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->offset, 4096u);
  EXPECT_EQ(decoded->bytes.size(), kMaxUpdateChunkBytes);
  chunk.bytes.push_back(1);
  EXPECT_FALSE(UpdateDataRequest::Decode(chunk.Encode()));
  EXPECT_FALSE(UpdateDataRequest::Decode(UpdateDataRequest{0, {}}.Encode()));
}

}  // namespace
}  // namespace camera::protocol
