#include "platform/camera/protocol/DeviceMessages.h"

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

std::vector<std::uint8_t> NtpParam::Encode() const {
  return PayloadWriter().Text(server).U8(enable).I32(interval).Take();
}

std::optional<NtpParam> NtpParam::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  NtpParam param;
  param.server = reader.Text(kMaxNtpServerBytes);
  param.enable = reader.U8();
  param.interval = reader.I32();
  if (!reader.Done()) return std::nullopt;
  return param;
}

std::vector<std::uint8_t> SystemLogRequest::Encode() const { return PayloadWriter().I32(kind).I32(maxBytes).Take(); }

std::optional<SystemLogRequest> SystemLogRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  SystemLogRequest request;
  request.kind = reader.I32();
  request.maxBytes = reader.I32();
  if (!reader.Done() || request.maxBytes <= 0) return std::nullopt;
  return request;
}

}  // namespace camera::protocol
