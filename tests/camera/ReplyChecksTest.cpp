// The library against a camera that answers whatever the test scripts: every reply is checked
// before use, and a bad one fails its call without touching the caller's memory.

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <map>
#include <string>
#include <thread>

#include "ScriptedCamera.h"
#include "platform/camera/protocol/DeviceMessages.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/WhiteListMessages.h"
#include "platform/os/Clock.h"

namespace camera::test {
namespace {

using protocol::Frame;
using protocol::Operation;
using protocol::Status;

constexpr std::uint8_t kUntouched = 0xAB;

// Answers each operation with what the test put in the table, else Ok with an empty payload.
class ReplyChecksTest : public testing::Test {
 protected:
  void SetUp() override {
    CameraClient_Setup();
    m_camera = std::make_unique<ScriptedCamera>([this](const Frame& request) { return Answer(request); });
  }

  void TearDown() override {
    CameraClient_Cleanup();
    m_camera.reset();
  }

  CameraClientHandle Open() { return CameraClient_Open("127.0.0.1", m_camera->Port(), "qorvt", "qorvt"); }

  void On(Operation operation, std::function<camera::test::Answer(const Frame&)> answer) {
    std::lock_guard lock(m_mutex);
    m_answers[operation] = std::move(answer);
  }

  void Reply(Operation operation, Bytes payload) {
    On(operation, [payload](const Frame& request) { return Answer::Reply(request.header, payload); });
  }

  camera::test::Answer Answer(const Frame& request) {
    std::function<camera::test::Answer(const Frame&)> answer;
    {
      std::lock_guard lock(m_mutex);
      const auto it = m_answers.find(request.header.operation);
      if (it != m_answers.end()) answer = it->second;
    }
    return answer ? answer(request) : Answer::Reply(request.header);
  }

  std::unique_ptr<ScriptedCamera> m_camera;
  std::mutex m_mutex;
  std::map<Operation, std::function<camera::test::Answer(const Frame&)>> m_answers;
};

TEST_F(ReplyChecksTest, OpenNeedsAReachableCameraAndAnAcceptedLogin) {
  EXPECT_NE(Open(), 0);
  EXPECT_NE(CameraClient_Open("  127.0.0.1 ", m_camera->Port(), "qorvt", "qorvt"), 0);  // typed with blanks
  EXPECT_EQ(CameraClient_Open("127.0.0. 1", m_camera->Port(), "qorvt", "qorvt"), 0);
  EXPECT_EQ(CameraClient_Open("127.0.0.1", 0, "qorvt", "qorvt"), 0);
  EXPECT_EQ(CameraClient_Open("127.0.0.1", 65536, "qorvt", "qorvt"), 0);
  EXPECT_EQ(CameraClient_Open(nullptr, m_camera->Port(), "qorvt", "qorvt"), 0);

  m_camera->SetLoginAnswer([](const Frame& login) { return Answer::Reply(login.header, {}, Status::LoginFailed); });
  EXPECT_EQ(Open(), 0);
  m_camera->SetLoginAnswer([](const Frame&) { return camera::test::Answer{{{'H', 'T', 'T', 'P', '/', '1'}}, true}; });
  EXPECT_EQ(Open(), 0);
  m_camera->SetLoginAnswer([](const Frame& login) { return Answer::Reply(login.header, {1, 2, 3}); });
  EXPECT_EQ(Open(), 0);  // Login has no reply payload
}

TEST_F(ReplyChecksTest, OpenFailsWhenNothingListens) {
  const std::uint16_t port = m_camera->Port();
  m_camera.reset();
  EXPECT_EQ(CameraClient_Open("127.0.0.1", port, "qorvt", "qorvt"), 0);
}

struct BadReply {
  const char* name;
  std::function<Answer(const Frame&)> answer;
};

Bytes NetParamBytes(const char* ip) {
  CameraClientNetParam param{};
  std::memcpy(param.ip, ip, std::min(std::strlen(ip), sizeof param.ip));
  std::strcpy(param.netmask, "255.0.0.0");
  param.port = 8080;
  return protocol::EncodeRecord(param);
}

class BadNetParamReply : public ReplyChecksTest, public testing::WithParamInterface<BadReply> {};

TEST_P(BadNetParamReply, FailsTheCallAndLeavesTheRecord) {
  On(Operation::GetNetParam, GetParam().answer);
  const CameraClientHandle handle = Open();
  ASSERT_NE(handle, 0);
  CameraClientNetParam param;
  std::memset(&param, kUntouched, sizeof param);
  EXPECT_NE(CameraClient_GetNetParam(handle, &param), 0);
  for (std::size_t i = 0; i < sizeof param; ++i) {
    ASSERT_EQ(reinterpret_cast<const std::uint8_t*>(&param)[i], kUntouched) << "byte " << i;
  }
  // The handle is still usable: a good reply works (after a reconnect when the stream broke).
  Reply(Operation::GetNetParam, NetParamBytes("127.0.10.7"));
  ASSERT_EQ(CameraClient_GetNetParam(handle, &param), 0);
  EXPECT_STREQ(param.ip, "127.0.10.7");
}

Bytes WithLength(Bytes frame, std::uint32_t length) {
  for (int i = 0; i < 4; ++i) frame[16 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  return frame;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BadNetParamReply,
    testing::Values(
        BadReply{"Short", [](const Frame& r) { return Answer::Reply(r.header, Bytes(65)); }},
        BadReply{"Long", [](const Frame& r) { return Answer::Reply(r.header, Bytes(67)); }},
        BadReply{"Empty", [](const Frame& r) { return Answer::Reply(r.header); }},
        BadReply{"ErrorStatus", [](const Frame& r) { return Answer::Reply(r.header, {}, Status::Failed); }},
        BadReply{"ErrorStatusWithARecord",
                 [](const Frame& r) { return Answer::Reply(r.header, NetParamBytes("1.2.3.4"), Status::Busy); }},
        BadReply{"UnterminatedText", [](const Frame& r) { return Answer::Reply(r.header, NetParamBytes("127.000.000.0001")); }},
        BadReply{"OtherOperation",
                 [](const Frame& r) {
                   auto header = r.header;
                   header.operation = Operation::GetProvinceInfo;
                   return Answer::Reply(header, NetParamBytes("1.2.3.4"));
                 }},
        BadReply{"Garbage", [](const Frame&) { return Answer::Raw(Bytes(40, 0x5A)); }},
        BadReply{"HttpResponse", [](const Frame&) { return Answer::Raw({'H', 'T', 'T', 'P', '/', '1', '.', '1', ' ', '2',
                                                                         '0', '0', ' ', 'O', 'K', '\r', '\n', '\r', '\n',
                                                                         0}); }},
        BadReply{"OversizedLength",
                 [](const Frame& r) { return Answer::Raw(WithLength(ReplyFrame(r.header, Bytes(66)), 32u << 20)); }},
        BadReply{"LengthBeyondPayloadThenClose",
                 [](const Frame& r) {
                   return camera::test::Answer{{WithLength(ReplyFrame(r.header, Bytes(66)), 1000)}, true};
                 }},
        BadReply{"Disconnect", [](const Frame&) { return camera::test::Answer{{}, true}; }}),
    [](const testing::TestParamInfo<BadReply>& info) { return info.param.name; });

TEST_F(ReplyChecksTest, ABrokenStreamMakesTheNextCallReconnect) {
  On(Operation::GetLedMode, [](const Frame&) { return Answer::Raw(Bytes(20, 0xFF)); });
  const CameraClientHandle handle = Open();
  int mode = 7;
  EXPECT_NE(CameraClient_GetLedMode(handle, &mode), 0);
  EXPECT_EQ(mode, 7);
  Reply(Operation::GetLedMode, protocol::EncodeInt32s({2}));
  EXPECT_EQ(CameraClient_GetLedMode(handle, &mode), 0);
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(m_camera->Connections(), 2);
}

// Fixed-size replies of every shape the library unpacks into out-values.
TEST_F(ReplyChecksTest, IntegerRepliesNeedTheirExactSize) {
  const CameraClientHandle handle = Open();
  Reply(Operation::GetFirmwareVersion, protocol::EncodeInt32s({5, 1, 7}));
  int a = -1, b = -1, c = -1, d = -1;
  EXPECT_NE(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0);
  EXPECT_EQ(a, -1);
  Reply(Operation::GetFirmwareVersion, protocol::EncodeInt32s({5, 1, 7, 3}));
  EXPECT_EQ(CameraClient_GetFirmwareVersion(handle, &a, &b, &c, &d), 0);
  EXPECT_EQ(d, 3);

  Reply(Operation::GetWhiteListFuzzy, protocol::EncodeInt32s({1, 2}));
  int fuzzy = -1, length = -1;
  std::uint8_t chinese = 9;
  EXPECT_NE(CameraClient_GetWhiteListFuzzy(handle, &fuzzy, &length, &chinese), 0);
  EXPECT_EQ(chinese, 9);
}

TEST_F(ReplyChecksTest, CountsAndTextsFromTheCameraAreBounded) {
  const CameraClientHandle handle = Open();

  CameraClientEncryptInfo info{};
  info.modeCount = 16;
  Reply(Operation::GetEncryptInfo, protocol::EncodeRecord(info));
  CameraClientEncryptInfo received{};
  received.currentMode = 42;
  EXPECT_NE(CameraClient_GetEncryptInfo(handle, &received), 0);
  EXPECT_EQ(received.currentMode, 42);

  Reply(Operation::GetNtpParam, protocol::PayloadWriter().Text(std::string(17, 'n')).U8(1).I32(60).Take());
  char server[17] = "untouched";
  std::uint8_t enable = 7;
  int interval = 7;
  EXPECT_NE(CameraClient_GetNtpParam(handle, server, &enable, &interval), 0);
  EXPECT_STREQ(server, "untouched");
  Reply(Operation::GetNtpParam, protocol::NtpParam{std::string(16, 'n'), 1, 60}.Encode());
  EXPECT_EQ(CameraClient_GetNtpParam(handle, server, &enable, &interval), 0);
  EXPECT_EQ(std::string(server), std::string(16, 'n'));

  Reply(Operation::GetRealShowText, Bytes(8, 'x'));
  char text[8] = "keep";
  EXPECT_NE(CameraClient_GetRealShowText(handle, text), 0);
  EXPECT_STREQ(text, "keep");

  CameraClientRegion region{};
  region.uNumVertex = 13;
  Reply(Operation::GetRecognitionRegion, protocol::EncodeRecord(region));
  CameraClientRegion regionOut{};
  EXPECT_NE(CameraClient_GetRecognitionRegion(handle, &regionOut), 0);
}

TEST_F(ReplyChecksTest, BuffersAreNeverOverrun) {
  const CameraClientHandle handle = Open();

  Reply(Operation::GetWebSessionId, protocol::PayloadWriter().Text("0123456789").Take());
  char id[10];
  std::memset(id, kUntouched, sizeof id);
  EXPECT_NE(CameraClient_GetWebSessionId(handle, id, sizeof id), 0);  // needs 11 bytes
  EXPECT_EQ(static_cast<std::uint8_t>(id[0]), kUntouched);
  char enough[11];
  EXPECT_EQ(CameraClient_GetWebSessionId(handle, enough, sizeof enough), 0);
  EXPECT_STREQ(enough, "0123456789");

  Reply(Operation::GetSystemLog, Bytes(101, 'L'));
  char log[100];
  int length = sizeof log;
  EXPECT_NE(CameraClient_GetSystemLog(handle, 0, log, &length), 0);
  EXPECT_EQ(length, 100);
  Reply(Operation::GetSystemLog, Bytes(100, 'L'));
  EXPECT_EQ(CameraClient_GetSystemLog(handle, 0, log, &length), 0);
  EXPECT_EQ(length, 100);

  Reply(Operation::LoadPlateImage, Bytes(65, 0xD8));
  std::uint8_t picture[64];
  int size = sizeof picture;
  EXPECT_NE(CameraClient_LoadPlateImage(handle, 3, picture, &size), 0);
  EXPECT_EQ(size, 64);
  Reply(Operation::LoadPlateImage, {});
  EXPECT_NE(CameraClient_LoadPlateImage(handle, 3, picture, &size), 0);  // no picture is no success
}

TEST_F(ReplyChecksTest, TheSystemLogAsksForNoMoreThanTheBuffer) {
  const CameraClientHandle handle = Open();
  std::int32_t asked = 0;
  On(Operation::GetSystemLog, [&](const Frame& request) {
    asked = protocol::SystemLogRequest::Decode(request.payload)->maxBytes;
    return Answer::Reply(request.header, Bytes(10, 'L'));
  });
  std::vector<char> log(0x200000);
  int length = static_cast<int>(log.size());
  ASSERT_EQ(CameraClient_GetSystemLog(handle, 0, log.data(), &length), 0);
  EXPECT_EQ(asked, 0x200000);
  EXPECT_EQ(length, 10);
}

CameraClientWhiteListRecord Row(int id, const char* plate) {
  CameraClientWhiteListRecord row{};
  row.recordId = id;
  std::strcpy(row.plate, plate);
  return row;
}

int CountRow(CameraClientHandle, void* user, const CameraClientWhiteListRecord*) {
  ++*static_cast<int*>(user);
  return 0;
}

TEST_F(ReplyChecksTest, AWhiteListPageLargerThanAskedDeliversNothing) {
  const CameraClientHandle handle = Open();
  int rows = 0;
  CameraClient_SetWhiteListCallback(handle, CountRow, &rows);
  const std::vector<CameraClientWhiteListRecord> three = {Row(1, "A1"), Row(2, "A2"), Row(3, "A3")};
  Reply(Operation::WhiteListPage, protocol::EncodeWhiteListRecords(three));

  CameraClientWhiteListKeyValue item{"PlateID", "A"};
  CameraClientWhiteListSearch search{0, 1, &item};
  CameraClientWhiteListRange range{0, 2};
  CameraClientWhiteListLimit limit{CAMERACLIENT_WHITELIST_LIMIT_RANGE, &range};
  CameraClientWhiteListCondition condition{&search, &limit, 0};
  EXPECT_NE(CameraClient_QueryWhiteList(handle, &condition), 0);
  EXPECT_EQ(rows, 0);

  range.count = 3;
  EXPECT_EQ(CameraClient_QueryWhiteList(handle, &condition), 0);
  EXPECT_EQ(rows, 3);

  auto bad = three;
  std::memset(bad[1].plate, 'P', sizeof bad[1].plate);
  Reply(Operation::WhiteListPage, protocol::EncodeWhiteListRecords(bad));
  rows = 0;
  EXPECT_NE(CameraClient_QueryWhiteList(handle, &condition), 0);
  EXPECT_EQ(rows, 0);
}

TEST_F(ReplyChecksTest, WhiteListQueriesRefuseConditionsTheyCannotHonour) {
  const CameraClientHandle handle = Open();
  CameraClientWhiteListKeyValue item{"PlateID", ""};
  CameraClientWhiteListSearch search{0, 1, &item};
  CameraClientWhiteListRange range{-1, 20};
  CameraClientWhiteListLimit limit{CAMERACLIENT_WHITELIST_LIMIT_RANGE, &range};
  CameraClientWhiteListCondition condition{&search, &limit, 0};
  EXPECT_NE(CameraClient_QueryWhiteList(handle, &condition), 0);  // a first row below 0
  range.first = 0;
  limit.type = 1;
  EXPECT_NE(CameraClient_QueryWhiteList(handle, &condition), 0);
  limit.type = CAMERACLIENT_WHITELIST_LIMIT_RANGE;
  std::strcpy(item.key, "CustomerID");
  EXPECT_NE(CameraClient_QueryWhiteList(handle, &condition), 0);
  std::uint32_t count = 0;
  EXPECT_NE(CameraClient_QueryWhiteListCount(handle, &count, &search), 0);
  std::memset(item.key, 'K', sizeof item.key);
  EXPECT_NE(CameraClient_QueryWhiteListCount(handle, &count, &search), 0);
  EXPECT_NE(CameraClient_QueryWhiteList(handle, nullptr), 0);
  // None of these reached the camera.
  for (const auto& header : m_camera->Requests()) {
    EXPECT_NE(header.operation, Operation::WhiteListPage);
    EXPECT_NE(header.operation, Operation::WhiteListCount);
  }
}

int CountQueryRecord(CameraClientHandle, void* user, const CameraClientPlateResult*, int, int) {
  ++*static_cast<std::atomic<int>*>(user);
  return 0;
}

TEST_F(ReplyChecksTest, PlateQueriesCheckTimesAndRecords) {
  const CameraClientHandle handle = Open();
  std::atomic<int> records{0};
  CameraClient_SetQueryCallback(handle, CountQueryRecord, &records);
  const char* start = "2026-01-01 00:00:00";
  const char* end = "2026-01-02 00:00:00";

  EXPECT_LT(CameraClient_QueryPlateCount(handle, "\xC8\xD5\xC6\xDA\xB2\xBB\xBA\xCF\xB7\xA8!", end, ""), 1);
  EXPECT_NE(CameraClient_QueryPlatePage(handle, start, "2026-02-30 00:00:00", "", 0, 20), 0);
  EXPECT_NE(CameraClient_QueryPlatePage(handle, start, end, "", 20, 20), 0);
  EXPECT_NE(CameraClient_QueryPlatePage(handle, start, end, "", -20, 0), 0);
  Reply(Operation::PlateQueryCount, protocol::EncodeInt32s({-3}));
  EXPECT_LT(CameraClient_QueryPlateCount(handle, start, end, ""), 0);
  Reply(Operation::PlateQueryCount, protocol::EncodeInt32s({45}));
  EXPECT_EQ(CameraClient_QueryPlateCount(handle, start, end, ""), 45);

  std::vector<protocol::PlateQueryRecord> page(3);
  for (auto& record : page) record.trigger = 9;
  Reply(Operation::PlateQueryPage, protocol::EncodePlateQueryRecords(page));
  EXPECT_NE(CameraClient_QueryPlatePage(handle, start, end, "", 0, 20), 0);
  for (auto& record : page) record.trigger = 2;
  Reply(Operation::PlateQueryPage, protocol::EncodePlateQueryRecords(page));
  EXPECT_NE(CameraClient_QueryPlatePage(handle, start, end, "", 0, 2), 0);  // three for two asked
  EXPECT_EQ(CameraClient_QueryPlatePage(handle, start, end, "", 0, 3), 0);
  // Records arrive on a library thread, possibly after the call returned.
  for (int i = 0; i < 500 && records < 3; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(records.load(), 3);
  // Only the valid requests travelled.
  int counts = 0;
  int pages = 0;
  for (const auto& header : m_camera->Requests()) {
    counts += header.operation == Operation::PlateQueryCount;
    pages += header.operation == Operation::PlateQueryPage;
  }
  EXPECT_EQ(counts, 2);
  EXPECT_EQ(pages, 3);
}

TEST_F(ReplyChecksTest, EventsBetweenARequestAndItsReplyAreHandledApart) {
  On(Operation::GetLedMode, [](const Frame& request) {
    camera::test::Answer answer;
    answer.writes.push_back(EventFrame(Operation::PlateEvent, Bytes(3)));  // malformed: dropped
    answer.writes.push_back(EventFrame(Operation::VideoFrame, Bytes(20)));
    answer.writes.push_back(ReplyFrame(request.header, protocol::EncodeInt32s({1})));
    return answer;
  });
  const CameraClientHandle handle = Open();
  int mode = -1;
  EXPECT_EQ(CameraClient_GetLedMode(handle, &mode), 0);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(m_camera->Connections(), 1);
}

// A reply that never comes, or comes for another request, fails the call after the timeout on
// the library's clock; a late reply does not answer the next call.
TEST_F(ReplyChecksTest, ALostReplyTimesOutAndALateOneIsDropped) {
  os::VirtualClock clock;
  os::SetClock(&clock);
  std::atomic<int> calls{0};
  On(Operation::GetLedMode, [&](const Frame& request) {
    if (++calls == 1) {
      auto stale = request.header;
      stale.sequence += 100;
      return Answer::Reply(stale, protocol::EncodeInt32s({1}));
    }
    return Answer::Reply(request.header, protocol::EncodeInt32s({2}));
  });
  const CameraClientHandle handle = Open();
  int mode = -1;
  auto first = std::async(std::launch::async, [&] { return CameraClient_GetLedMode(handle, &mode); });
  ASSERT_TRUE(clock.WaitForSleepers(1));
  clock.Advance(std::chrono::seconds(10));
  EXPECT_NE(first.get(), 0);
  EXPECT_EQ(mode, -1);
  EXPECT_EQ(CameraClient_GetLedMode(handle, &mode), 0);
  EXPECT_EQ(mode, 2);
  CameraClient_Cleanup();
  os::SetClock(nullptr);
}

}  // namespace
}  // namespace camera::test
