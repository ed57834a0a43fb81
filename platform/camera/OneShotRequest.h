#pragma once
// One request on a connection of its own, without a login (PrepareWebSession).

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/camera/CameraAddress.h"
#include "platform/camera/protocol/Operation.h"

namespace camera {

// The reply payload (checked as CameraLink::Call checks it), or nullopt.
std::optional<std::vector<std::uint8_t>> OneShotRequest(const CameraAddress& address, protocol::Operation operation,
                                                        std::span<const std::uint8_t> payload,
                                                        std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace camera
