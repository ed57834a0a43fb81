#include "platform/camera/OneShotRequest.h"

#include "platform/camera/ReplyReader.h"
#include "platform/camera/Socket.h"
#include "platform/camera/protocol/Frame.h"

namespace camera {

std::optional<std::vector<std::uint8_t>> OneShotRequest(const CameraAddress& address, protocol::Operation operation,
                                                        std::span<const std::uint8_t> payload,
                                                        std::chrono::milliseconds timeout) {
  const auto socket = Socket::Connect(address.ip, address.port, timeout);
  if (!socket) return std::nullopt;
  constexpr std::uint32_t kSequence = 1;
  const auto bytes =
      protocol::EncodeFrame(protocol::FrameKind::Request, operation, kSequence, protocol::Status::Ok, payload);
  if (!bytes || !socket->SendAll(*bytes, timeout)) return std::nullopt;
  protocol::FrameDecoder decoder(protocol::Receiver::Library);
  auto reply = AwaitReply(*socket, decoder, kSequence, timeout, nullptr);
  if (!reply || !ReplyFits(*reply, operation)) return std::nullopt;
  return std::move(reply->payload);
}

}  // namespace camera
