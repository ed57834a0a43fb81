#pragma once
// Waiting for one reply on a connection that nobody else reads yet (a login, a one-shot request).

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/camera/protocol/Frame.h"

namespace camera {

class Socket;

// Whether a reply answers `operation` with status Ok and, for a fixed layout, the exact size.
bool ReplyFits(const protocol::Frame& reply, protocol::Operation operation);

// Reads through `decoder` until the reply to `sequence` arrives (events go to `onEvent`).
// nullopt on a broken stream, another reply, or when nothing completes it within `timeout`.
std::optional<protocol::Frame> AwaitReply(Socket& socket, protocol::FrameDecoder& decoder, std::uint32_t sequence,
                                          std::chrono::milliseconds timeout,
                                          const std::function<void(protocol::Frame&&)>& onEvent);

}  // namespace camera
