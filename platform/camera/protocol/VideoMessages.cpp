#include "platform/camera/protocol/VideoMessages.h"

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

std::vector<std::uint8_t> VideoFrameEvent::Encode() const {
  PayloadWriter writer;
  writer.U32(frameNumber).U16(static_cast<std::uint16_t>(width)).U16(static_cast<std::uint16_t>(height)).Bytes(jpeg);
  return writer.Take();
}

std::optional<VideoFrameEvent> VideoFrameEvent::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  VideoFrameEvent event;
  event.frameNumber = reader.U32();
  event.width = reader.U16();
  event.height = reader.U16();
  const auto jpeg = reader.Rest();
  if (!reader.Done() || jpeg.empty() || event.width < 1 || event.height < 1 || event.width > kMaxVideoDimension ||
      event.height > kMaxVideoDimension) {
    return std::nullopt;
  }
  event.jpeg.assign(jpeg.begin(), jpeg.end());
  return event;
}

}  // namespace camera::protocol
