// Writes seed inputs for the camera request fuzzer: well-formed request streams of each family.

#include <cstdio>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/Frame.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/camera/protocol/UpdateMessages.h"
#include "platform/camera/protocol/WhiteListMessages.h"

namespace {

using camera::protocol::Operation;
using Bytes = std::vector<std::uint8_t>;

class Stream {
 public:
  explicit Stream(std::uint8_t choice) : m_bytes{choice} {}
  Stream& Request(Operation operation, const Bytes& payload = {}) {
    const auto frame = camera::protocol::EncodeFrame(camera::protocol::FrameKind::Request, operation, ++m_sequence,
                                                     camera::protocol::Status::Ok, payload);
    m_bytes.insert(m_bytes.end(), frame->begin(), frame->end());
    return *this;
  }
  const Bytes& Contents() const { return m_bytes; }

 private:
  Bytes m_bytes;
  std::uint32_t m_sequence = 0;
};

void Write(const std::string& folder, const std::string& name, const Bytes& bytes) {
  const std::string path = folder + "/" + name;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = argv[1];
  using camera::protocol::EncodeInt32s;
  using camera::protocol::EncodeRecord;

  Write(folder, "session", Stream(0).Request(Operation::Login, camera::protocol::LoginRequest{"qorvt", "qorvt"}.Encode())
                               .Request(Operation::GetEncryptInfo)
                               .Request(Operation::LoginEncrypted, camera::protocol::EncryptedLoginRequest{2, "123456"}.Encode())
                               .Request(Operation::GetWebSessionId)
                               .Contents());
  CameraClientWhiteListRecord record{};
  record.plate[0] = 'A';
  Write(folder, "whitelist",
        Stream(1).Request(Operation::WhiteListImport, camera::protocol::EncodeWhiteListRecords(std::vector{record, record}))
            .Request(Operation::WhiteListCount, camera::protocol::WhiteListText{"A"}.Encode())
            .Request(Operation::WhiteListPage, camera::protocol::WhiteListPageRequest{"", 0, 20}.Encode())
            .Request(Operation::WhiteListDelete, EncodeInt32s({1}))
            .Contents());
  const camera::protocol::PlateQuery query{"2026-01-01 00:00:00", "2026-01-02 00:00:00", "A"};
  Write(folder, "plates",
        Stream(1).Request(Operation::PlateSubscribe, EncodeInt32s({1}))
            .Request(Operation::PlateQueryCount, camera::protocol::PlateQueryCountRequest{query}.Encode())
            .Request(Operation::PlateQueryPage, camera::protocol::PlateQueryPageRequest{query, 0, 20}.Encode())
            .Request(Operation::LoadPlateImage, camera::protocol::PlateImageRequest{1, 1000}.Encode())
            .Contents());
  Write(folder, "settings",
        Stream(1 | 16).Request(Operation::SetPolygonRules, EncodeRecord(CameraClientPolygonRules{}))
            .Request(Operation::SetStreamConfig, camera::protocol::PayloadWriter().I32(0).Put(CameraClientStreamConfig{}).Take())
            .Request(Operation::SetImageAdjust, EncodeInt32s({1, 2, 3, 4}))
            .Request(Operation::SetNetParam, EncodeRecord(CameraClientNetParam{}))
            .Request(Operation::GetSystemLog, EncodeInt32s({0, 100}))
            .Contents());
  Write(folder, "update", Stream(1).Request(Operation::UpdateBegin, camera::protocol::PayloadWriter().U32(4).Take())
                              .Request(Operation::UpdateData, camera::protocol::UpdateDataRequest{0, {1, 2, 3, 4}}.Encode())
                              .Request(Operation::UpdateCommit)
                              .Request(Operation::GetUpdateState)
                              .Contents());
  return 0;
}
