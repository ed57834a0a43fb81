// Writes seed inputs for the reply decoder fuzzer: valid replies and events of the main shapes.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/Frame.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "platform/camera/protocol/VideoMessages.h"
#include "platform/camera/protocol/WhiteListMessages.h"

namespace {

using namespace camera::protocol;

void Write(const std::string& folder, const char* name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = folder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<std::uint8_t> Reply(Operation operation, const std::vector<std::uint8_t>& payload) {
  return *EncodeFrame(FrameKind::Reply, operation, 1, Status::Ok, payload);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_camera_corpus FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  CameraClientNetParam net{};
  std::strcpy(net.ip, "127.0.10.1");
  Write(folder, "net_param", Reply(Operation::GetNetParam, EncodeRecord(net)));
  Write(folder, "firmware", Reply(Operation::GetFirmwareVersion, EncodeInt32s({5, 1, 7, 3})));
  CameraClientWhiteListRecord row{};
  std::strcpy(row.plate, "A12345");
  const std::vector<CameraClientWhiteListRecord> rows = {row, row};
  Write(folder, "whitelist_page", Reply(Operation::WhiteListPage, EncodeWhiteListRecords(rows)));
  std::vector<PlateQueryRecord> records(2);
  records[0].trigger = 1;
  records[1].trigger = 5;
  Write(folder, "query_page", Reply(Operation::PlateQueryPage, EncodePlateQueryRecords(records)));
  PlateEvent plate;
  plate.clip = {0xFF, 0xD8, 0xFF, 0xD9};
  Write(folder, "plate_event", *EncodeFrame(FrameKind::Event, Operation::PlateEvent, 0, Status::Ok, plate.Encode()));
  const VideoFrameEvent video{1, 64, 48, {0xFF, 0xD8, 0xFF, 0xD9}};
  Write(folder, "video_frame", *EncodeFrame(FrameKind::Event, Operation::VideoFrame, 0, Status::Ok, video.Encode()));
  SearchAnswer answer;
  answer.ip = "127.0.10.1";
  Write(folder, "search_answer", *answer.Encode());
  return 0;
}
