// Firmware image files, the upload of an update, and the web-session operations, against a
// scripted camera.

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <string>

#include "ScriptedCamera.h"
#include "platform/camera/protocol/FirmwareImage.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/UpdateMessages.h"
#include "platform/os/File.h"

namespace camera::test {
namespace {

using protocol::Frame;
using protocol::Operation;
using protocol::Status;

class UpdateAndWebTest : public testing::Test {
 protected:
  void SetUp() override {
    CameraClient_Setup();
    m_folder = std::filesystem::temp_directory_path() / ("camera_update_" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override {
    CameraClient_Cleanup();
    std::filesystem::remove_all(m_folder);
  }

  std::string WriteImage(const char* name, protocol::FirmwareVersion version, std::size_t bodyBytes) {
    Bytes body(bodyBytes);
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 13);
    const auto image = *protocol::BuildFirmwareImage(version, body);
    const std::string path = (m_folder / name).string();
    os::WriteWholeFile(path, std::string(image.begin(), image.end()));
    return path;
  }

  std::filesystem::path m_folder;
};

TEST_F(UpdateAndWebTest, ReadsTheVersionOfAnImageFile) {
  const std::string path = WriteImage("lpr_5.1.7.bin", protocol::FirmwareVersion{{5, 1, 7, 21}}, 3000);
  int a = 0, b = 0, c = 0, d = 0;
  ASSERT_EQ(CameraClient_GetImageFileVersion(path.c_str(), &a, &b, &c, &d), 0);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(c, 7);
  EXPECT_EQ(d, 21);
}

TEST_F(UpdateAndWebTest, RefusesFilesThatAreNoImage) {
  const std::string good = WriteImage("good.bin", protocol::FirmwareVersion{{4, 2, 1, 9}}, 100);
  auto bytes = *os::ReadWholeFile(good);
  struct Case {
    const char* name;
    std::string contents;
  };
  std::string flipped = bytes;
  flipped[60] ^= 1;
  for (const Case& c : {Case{"empty.bin", ""}, Case{"text.bin", "not a firmware image at all, just text"},
                        Case{"short.bin", bytes.substr(0, bytes.size() - 1)}, Case{"crc.bin", flipped},
                        Case{"long.bin", bytes + "x"}}) {
    const std::string path = (m_folder / c.name).string();
    os::WriteWholeFile(path, c.contents);
    int a = -7, b = -7, cc = -7, d = -7;
    EXPECT_NE(CameraClient_GetImageFileVersion(path.c_str(), &a, &b, &cc, &d), 0) << c.name;
    EXPECT_EQ(a, -7) << c.name;
  }
  int a = 0, b = 0, c = 0, d = 0;
  EXPECT_NE(CameraClient_GetImageFileVersion((m_folder / "missing.bin").c_str(), &a, &b, &c, &d), 0);
  EXPECT_NE(CameraClient_GetImageFileVersion(m_folder.c_str(), &a, &b, &c, &d), 0);
}

// Collects the uploaded image as the camera sees it.
struct Upload {
  std::mutex mutex;
  std::uint32_t announced = 0;
  Bytes received;
  bool offsetsInOrder = true;
  int chunks = 0;
  bool committed = false;
  Status beginStatus = Status::Ok;
  std::int32_t state = 2;
};

Answer UploadAnswer(Upload& upload, const Frame& request) {
  std::lock_guard lock(upload.mutex);
  switch (request.header.operation) {
    case Operation::UpdateBegin:
      upload.announced = static_cast<std::uint32_t>((*protocol::DecodeInt32s<1>(request.payload))[0]);
      return Answer::Reply(request.header, {}, upload.beginStatus);
    case Operation::UpdateData: {
      const auto chunk = protocol::UpdateDataRequest::Decode(request.payload);
      if (!chunk) return Answer::Reply(request.header, {}, Status::BadRequest);
      upload.offsetsInOrder = upload.offsetsInOrder && chunk->offset == upload.received.size();
      upload.received.insert(upload.received.end(), chunk->bytes.begin(), chunk->bytes.end());
      ++upload.chunks;
      return Answer::Reply(request.header);
    }
    case Operation::UpdateCommit:
      upload.committed = true;
      return Answer::Reply(request.header);
    case Operation::GetUpdateState:
      return Answer::Reply(request.header, protocol::EncodeInt32s({upload.state}));
    default:
      return Answer::Reply(request.header);
  }
}

TEST_F(UpdateAndWebTest, StartUpdateUploadsTheWholeImageInOrder) {
  Upload upload;
  ScriptedCamera camera([&](const Frame& request) { return UploadAnswer(upload, request); });
  const CameraClientHandle handle = CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt");
  ASSERT_NE(handle, 0);
  const std::size_t body = 2 * protocol::kMaxUpdateChunkBytes + 12345;
  const std::string path = WriteImage("update.bin", protocol::FirmwareVersion{{5, 3, 7, 2}}, body);
  ASSERT_EQ(CameraClient_StartUpdate(handle, path.c_str()), 0);
  const auto file = *os::ReadWholeFile(path);
  {
    std::lock_guard lock(upload.mutex);
    EXPECT_EQ(upload.announced, file.size());
    EXPECT_EQ(upload.received, Bytes(file.begin(), file.end()));
    EXPECT_TRUE(upload.offsetsInOrder);
    EXPECT_EQ(upload.chunks, 3);
    EXPECT_TRUE(upload.committed);
  }
  for (const std::int32_t state : {2, 3, 1, 4}) {
    {
      std::lock_guard lock(upload.mutex);
      upload.state = state;
    }
    EXPECT_EQ(CameraClient_GetUpdateState(handle), state);
  }
}

TEST_F(UpdateAndWebTest, StartUpdateFailsWithMinusOne) {
  Upload upload;
  upload.beginStatus = Status::Busy;
  ScriptedCamera camera([&](const Frame& request) { return UploadAnswer(upload, request); });
  const CameraClientHandle handle = CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt");
  const std::string path = WriteImage("update.bin", protocol::FirmwareVersion{{5, 3, 7, 2}}, 100);
  EXPECT_EQ(CameraClient_StartUpdate(handle, path.c_str()), -1);  // the camera is busy
  EXPECT_EQ(CameraClient_StartUpdate(handle, (m_folder / "missing.bin").c_str()), -1);
  os::WriteWholeFile((m_folder / "bad.bin").string(), "garbage");
  EXPECT_EQ(CameraClient_StartUpdate(handle, (m_folder / "bad.bin").c_str()), -1);
  std::lock_guard lock(upload.mutex);
  EXPECT_EQ(upload.chunks, 0);  // nothing of a bad file is sent
}

TEST_F(UpdateAndWebTest, PrepareWebSessionNeedsNoLogin) {
  ScriptedCamera camera([](const Frame& request) {
    if (request.header.operation == Operation::PrepareWebSession) {
      return Answer::Reply(request.header, protocol::EncodeInt32s({60, 3}));
    }
    if (request.header.operation == Operation::GetWebSessionId) {
      return Answer::Reply(request.header, {5, 0, 'S', '1', 'd', '9', 'Z'});
    }
    return Answer::Reply(request.header, {}, Status::Failed);
  });
  int lifetime = 0, sessions = 0;
  ASSERT_EQ(CameraClient_PrepareWebSession("127.0.0.1", camera.Port(), &lifetime, &sessions), 0);
  EXPECT_EQ(lifetime, 60);
  EXPECT_EQ(sessions, 3);
  ASSERT_EQ(camera.Requests().size(), 1u);
  EXPECT_EQ(camera.Requests()[0].operation, Operation::PrepareWebSession);

  const CameraClientHandle handle = CameraClient_Open("127.0.0.1", camera.Port(), "qorvt", "qorvt");
  char id[256] = {};
  ASSERT_EQ(CameraClient_GetWebSessionId(handle, id, sizeof id), 0);
  EXPECT_STREQ(id, "S1d9Z");
  EXPECT_NE(CameraClient_PrepareWebSession("127.0.0.1", 1, &lifetime, &sessions), 0);
}

}  // namespace
}  // namespace camera::test
