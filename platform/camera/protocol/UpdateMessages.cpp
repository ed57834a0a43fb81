#include "platform/camera/protocol/UpdateMessages.h"

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

std::vector<std::uint8_t> UpdateDataRequest::Encode() const {
  return PayloadWriter().U32(offset).Bytes(bytes).Take();
}

std::optional<UpdateDataRequest> UpdateDataRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  UpdateDataRequest request;
  request.offset = reader.U32();
  const auto bytes = reader.Rest();
  if (!reader.Done() || bytes.empty() || bytes.size() > kMaxUpdateChunkBytes) return std::nullopt;
  request.bytes.assign(bytes.begin(), bytes.end());
  return request;
}

}  // namespace camera::protocol
