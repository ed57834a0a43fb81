#pragma once
// How the camera answers each request of the control protocol. A handler runs under the camera's
// lock with the camera's state and the connection's state; what must happen outside that lock
// (moving, rebooting, a plate event, an update's steps) it asks for in its reply.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/camera/protocol/Operation.h"
#include "platform/camera/protocol/Status.h"
#include "platform/os/LocalTime.h"
#include "sim/CameraState.h"

namespace camsim {

// What one connection has done so far.
struct SessionState {
  std::uint64_t connection = 0;
  bool loggedIn = false;
  bool secondLogin = false;
  std::string webSessionId;
  std::optional<bool> plates;      // subscribed to plate events; true with pictures
  std::optional<int> videoStream;  // 0 main, 1 sub
};

enum class CameraAction { None, MoveAddress, Reboot, ManualTrigger, UpdateCommitted };

struct Reply {
  camera::protocol::Status status = camera::protocol::Status::Ok;
  std::vector<std::uint8_t> payload;
  CameraAction action = CameraAction::None;
  CameraClientNetParam newAddress{};  // for MoveAddress
};

struct HandlerContext {
  CameraState& state;
  SessionState& session;
  std::chrono::milliseconds now;  // the camera's clock
};

using Handler = Reply (*)(HandlerContext&, std::span<const std::uint8_t>);

// The handler of a request operation; null for the event operations.
Handler FindHandler(camera::protocol::Operation operation);

// True for the operations a connection may use before it has logged in.
bool IsOpenOperation(camera::protocol::Operation operation);
// True for the operations answered before the second login of encryption mode 2.
bool IsSessionOperation(camera::protocol::Operation operation);

}  // namespace camsim
