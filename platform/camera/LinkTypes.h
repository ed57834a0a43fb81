#pragma once
// What a handle's link to its camera is made of: the login, the timeouts, a request, and the
// handler of the events the camera sends.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/camera/protocol/Frame.h"

namespace camera {

struct Credentials {
  std::string user;
  std::string password;
};

struct LinkTimeouts {
  std::chrono::milliseconds connect{3000};  // real time
  std::chrono::milliseconds io{5000};       // real time, a send or a handshake reply
  std::chrono::milliseconds reply{10000};   // on os::Clock, the reply to a call
  std::chrono::milliseconds firstBackoff{500};  // on os::Clock, between reconnects
  std::chrono::milliseconds maxBackoff{4000};
};

struct Request {
  protocol::Operation operation;
  std::vector<std::uint8_t> payload;
};

// Handles an event on an I/O thread; must not block.
using EventHandler = std::function<void(protocol::Frame&& event)>;

}  // namespace camera
