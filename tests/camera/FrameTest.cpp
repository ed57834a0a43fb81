#include "platform/camera/protocol/Frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace camera::protocol {
namespace {

std::vector<std::uint8_t> Encode(FrameKind kind, Operation operation, std::uint32_t sequence,
                                 std::vector<std::uint8_t> payload = {}, Status status = Status::Ok) {
  return *EncodeFrame(kind, operation, sequence, status, payload);
}

TEST(FrameTest, EncodesTheDocumentedHeader) {
  const auto bytes = Encode(FrameKind::Reply, Operation::GetLedLevel, 0x01020304, {9, 8}, Status::NotFound);
  const std::vector<std::uint8_t> expected = {'L', 'P', 'R', 'C', 1, 2, 0x01, 0x03, 4, 3, 2, 1, 8, 0, 0, 0,
                                              2, 0, 0, 0, 9, 8};
  EXPECT_EQ(bytes, expected);
}

TEST(FrameTest, RefusesToEncodeAnOversizedPayload) {
  const std::vector<std::uint8_t> payload(kMaxPayloadBytes + 1);
  EXPECT_FALSE(EncodeFrame(FrameKind::Request, Operation::UpdateData, 1, Status::Ok, payload));
}

TEST(FrameTest, DecoderReassemblesFramesFedByteByByte) {
  auto stream = Encode(FrameKind::Reply, Operation::GetFirmwareVersion, 7, std::vector<std::uint8_t>(16, 0x5A));
  const auto second = Encode(FrameKind::Event, Operation::PlateEvent, 0, {1, 2, 3});
  stream.insert(stream.end(), second.begin(), second.end());

  FrameDecoder decoder(Receiver::Library);
  std::vector<Frame> frames;
  for (const std::uint8_t byte : stream) {
    ASSERT_TRUE(decoder.Feed({&byte, 1}));
    while (auto frame = decoder.Next()) frames.push_back(std::move(*frame));
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].header.operation, Operation::GetFirmwareVersion);
  EXPECT_EQ(frames[0].header.sequence, 7u);
  EXPECT_EQ(frames[0].payload, std::vector<std::uint8_t>(16, 0x5A));
  EXPECT_EQ(frames[1].header.kind, FrameKind::Event);
  EXPECT_EQ(frames[1].payload, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(FrameTest, DecoderHandsOutEveryFrameOfOneFeed) {
  std::vector<std::uint8_t> stream;
  for (std::uint32_t sequence = 1; sequence <= 3; ++sequence) {
    const auto frame = Encode(FrameKind::Request, Operation::KeepAlive, sequence);
    stream.insert(stream.end(), frame.begin(), frame.end());
  }
  FrameDecoder decoder(Receiver::Camera);
  ASSERT_TRUE(decoder.Feed(stream));
  for (std::uint32_t sequence = 1; sequence <= 3; ++sequence) {
    const auto frame = decoder.Next();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->header.sequence, sequence);
  }
  EXPECT_FALSE(decoder.Next());
}

TEST(FrameTest, DecoderWaitsForTheWholePayload) {
  const auto frame = Encode(FrameKind::Reply, Operation::GetNetParam, 1, std::vector<std::uint8_t>(66, 1));
  FrameDecoder decoder(Receiver::Library);
  ASSERT_TRUE(decoder.Feed({frame.data(), frame.size() - 1}));
  EXPECT_FALSE(decoder.Next());
  EXPECT_EQ(decoder.BytesWanted(), 1u);
  ASSERT_TRUE(decoder.Feed({frame.data() + frame.size() - 1, 1}));
  EXPECT_TRUE(decoder.Next());
}

struct BadHeader {
  const char* name;
  Receiver receiver;
  std::size_t offset;   // byte of a valid request header to change
  std::uint8_t value;
  HeaderError expected;
};

class FrameHeaderRejection : public testing::TestWithParam<BadHeader> {};

TEST_P(FrameHeaderRejection, BreaksTheStreamForGood) {
  const BadHeader& bad = GetParam();
  const bool toCamera = bad.receiver == Receiver::Camera;
  auto bytes = toCamera ? Encode(FrameKind::Request, Operation::KeepAlive, 5)
                        : Encode(FrameKind::Reply, Operation::KeepAlive, 5);
  bytes[bad.offset] = bad.value;
  FrameDecoder decoder(bad.receiver);
  EXPECT_FALSE(decoder.Feed(bytes));
  EXPECT_TRUE(decoder.Broken());
  EXPECT_EQ(decoder.Error(), bad.expected);
  EXPECT_FALSE(decoder.Next());
  // Nothing later repairs it, not even a valid frame.
  EXPECT_FALSE(decoder.Feed(Encode(toCamera ? FrameKind::Request : FrameKind::Reply, Operation::KeepAlive, 6)));
  EXPECT_FALSE(decoder.Next());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, FrameHeaderRejection,
    testing::Values(BadHeader{"Magic", Receiver::Camera, 0, 'G', HeaderError::BadMagic},
                    BadHeader{"Version", Receiver::Camera, 4, 2, HeaderError::BadVersion},
                    BadHeader{"KindZero", Receiver::Camera, 5, 0, HeaderError::BadKind},
                    BadHeader{"KindFour", Receiver::Camera, 5, 4, HeaderError::BadKind},
                    BadHeader{"UnknownOperation", Receiver::Camera, 7, 0x7F, HeaderError::UnknownOperation},
                    BadHeader{"TooLong", Receiver::Camera, 19, 0x02, HeaderError::TooLong},
                    BadHeader{"ReplyAtCamera", Receiver::Camera, 5, 2, HeaderError::UnexpectedKind},
                    BadHeader{"RequestAtLibrary", Receiver::Library, 5, 1, HeaderError::UnexpectedKind},
                    BadHeader{"EventOfARequestOperation", Receiver::Library, 5, 3, HeaderError::UnexpectedKind},
                    BadHeader{"RequestWithoutSequence", Receiver::Camera, 8, 0, HeaderError::BadSequence},
                    BadHeader{"RequestWithStatus", Receiver::Camera, 12, 1, HeaderError::BadStatus}),
    [](const testing::TestParamInfo<BadHeader>& info) { return info.param.name; });

TEST(FrameTest, RejectsAnEventWithASequenceAndAReplyOfAnEventOperation) {
  FrameDecoder events(Receiver::Library);
  EXPECT_FALSE(events.Feed(Encode(FrameKind::Event, Operation::VideoFrame, 3)));
  EXPECT_EQ(events.Error(), HeaderError::BadSequence);

  FrameDecoder replies(Receiver::Library);
  EXPECT_FALSE(replies.Feed(Encode(FrameKind::Reply, Operation::VideoFrame, 3)));
  EXPECT_EQ(replies.Error(), HeaderError::UnexpectedKind);
}

TEST(FrameTest, AcceptsTheLargestPayload) {
  std::vector<std::uint8_t> header = Encode(FrameKind::Reply, Operation::GetSystemLog, 1);
  header[16] = 0;
  header[17] = 0;
  header[18] = 0;
  header[19] = 1;  // exactly 16 MiB follows
  FrameDecoder decoder(Receiver::Library);
  EXPECT_TRUE(decoder.Feed(header));
  EXPECT_EQ(decoder.BytesWanted(), kMaxPayloadBytes);
}

TEST(OperationTest, TableIsConsistent) {
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    const auto info = DescribeOperation(static_cast<std::uint16_t>(code));
    if (!info) continue;
    EXPECT_EQ(static_cast<std::uint16_t>(info->operation), code);
    EXPECT_FALSE(info->name.empty());
    // Only events lack a request and a reply, and they lack both.
    EXPECT_EQ(IsEventOperation(info->operation), info->requestBytes == kNone) << info->name;
    EXPECT_EQ(IsEventOperation(info->operation), info->replyBytes == kNone) << info->name;
  }
  EXPECT_FALSE(DescribeOperation(0));
  EXPECT_EQ(OperationName(Operation::WhiteListImport), "WhiteListImport");
}

}  // namespace
}  // namespace camera::protocol
