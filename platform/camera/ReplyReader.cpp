#include "platform/camera/ReplyReader.h"

#include <vector>

#include "platform/camera/Socket.h"

namespace camera {

bool ReplyFits(const protocol::Frame& reply, protocol::Operation operation) {
  if (reply.header.operation != operation || reply.header.status != protocol::Status::Ok) return false;
  const auto info = protocol::DescribeOperation(static_cast<std::uint16_t>(operation));
  return info && (info->replyBytes == protocol::kVariable ||
                  reply.payload.size() == static_cast<std::size_t>(info->replyBytes));
}

std::optional<protocol::Frame> AwaitReply(Socket& socket, protocol::FrameDecoder& decoder, std::uint32_t sequence,
                                          std::chrono::milliseconds timeout,
                                          const std::function<void(protocol::Frame&&)>& onEvent) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::vector<std::uint8_t> buffer(64 * 1024);
  for (;;) {
    while (auto frame = decoder.Next()) {
      if (frame->header.kind == protocol::FrameKind::Event) {
        if (onEvent) onEvent(std::move(*frame));
        continue;
      }
      if (frame->header.sequence != sequence) return std::nullopt;
      return frame;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    const long received = socket.ReceiveWithin(buffer, left);
    if (received <= 0) return std::nullopt;
    if (!decoder.Feed({buffer.data(), static_cast<std::size_t>(received)})) return std::nullopt;
  }
}

}  // namespace camera
