// Feeds arbitrary bytes to everything the library decodes from a camera: the frame stream, the
// reply checks and payload decoders of every operation, events, search answers, firmware images.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "cameraclient/CameraClient.h"
#include "platform/camera/protocol/DeviceMessages.h"
#include "platform/camera/protocol/FirmwareImage.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/Frame.h"
#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/QueryTime.h"
#include "platform/camera/protocol/RecordRules.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/camera/protocol/VideoMessages.h"
#include "platform/camera/protocol/WhiteListMessages.h"

namespace {

using namespace camera::protocol;

template <typename Record>
void CheckRecord(std::span<const std::uint8_t> payload) {
  if (const auto record = DecodeRecord<Record>(payload)) (void)IsWellFormed(*record);
}

void DecodeReply(const Frame& reply) {
  const std::span<const std::uint8_t> payload = reply.payload;
  switch (reply.header.operation) {
    case Operation::GetEncryptInfo: CheckRecord<CameraClientEncryptInfo>(payload); break;
    case Operation::GetNetParam: CheckRecord<CameraClientNetParam>(payload); break;
    case Operation::GetLedSchedule: CheckRecord<CameraClientLedSchedule>(payload); break;
    case Operation::GetProvinceInfo: CheckRecord<CameraClientProvinceInfo>(payload); break;
    case Operation::GetPolygonRules: CheckRecord<CameraClientPolygonRules>(payload); break;
    case Operation::GetVirtualLoops: CheckRecord<CameraClientVirtualLoops>(payload); break;
    case Operation::GetRecognitionRegion: CheckRecord<CameraClientRegion>(payload); break;
    case Operation::GetStreamCapability: CheckRecord<CameraClientStreamCapability>(payload); break;
    case Operation::GetOsdParam: CheckRecord<CameraClientOsdParam>(payload); break;
    case Operation::GetSerialPushConfig: CheckRecord<CameraClientSerialPush>(payload); break;
    case Operation::GetWebSessionId: (void)WebSessionIdReply::Decode(payload); break;
    case Operation::GetNtpParam: (void)NtpParam::Decode(payload); break;
    case Operation::GetFirmwareVersion: (void)DecodeInt32s<4>(payload); break;
    case Operation::WhiteListByPlate:
    case Operation::WhiteListPage:
      if (const auto rows = DecodeWhiteListRecords(payload, 0, kMaxWhiteListPageRows)) {
        for (const auto& row : *rows) (void)IsWellFormed(row);
      }
      break;
    case Operation::PlateQueryPage:
      if (const auto records = DecodePlateQueryRecords(payload, kMaxPlateQueryPageRecords)) {
        for (const auto& record : *records) (void)IsWellFormed(record.result);
      }
      break;
    default: (void)DecodeInt32s<1>(payload); break;
  }
}

void DecodeEvent(const Frame& event) {
  if (event.header.operation == Operation::PlateEvent) {
    if (const auto plate = PlateEvent::Decode(event.payload)) (void)IsWellFormed(plate->result);
  } else {
    (void)VideoFrameEvent::Decode(event.payload);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  // The stream, fed in chunks whose sizes come from the input itself.
  FrameDecoder decoder(Receiver::Library);
  std::size_t offset = 0;
  while (offset < size && !decoder.Broken()) {
    const std::size_t chunk = std::min<std::size_t>(size - offset, 1 + data[offset] % 64);
    decoder.Feed(input.subspan(offset, chunk));
    offset += chunk;
    while (auto frame = decoder.Next()) {
      if (frame->header.kind == FrameKind::Event) {
        DecodeEvent(*frame);
      } else {
        DecodeReply(*frame);
      }
    }
  }
  (void)SearchAnswer::Decode(input);
  (void)ParseFirmwareImage(input);
  (void)ParseQueryTime(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
