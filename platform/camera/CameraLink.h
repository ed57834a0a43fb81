#pragma once
// The control connection of one handle: connects and logs in, serialises request/reply exchanges,
// and reconnects when the connection drops (a reboot, a new address, a broken stream). Its I/O
// runs on the library's I/O threads (no thread of its own); a call waits on the caller's thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "platform/camera/CameraAddress.h"
#include "platform/camera/LinkTypes.h"

namespace boost::asio {
class io_context;
}  // namespace boost::asio

namespace camera {

class ClockTimers;

// What links run on: the library's I/O threads and its reconnect timers.
struct LinkThreads {
  boost::asio::io_context& io;
  ClockTimers& timers;
};

class CameraLink {
 public:
  // The requests that restore the session after Login on every new connection.
  using SessionSetup = std::function<std::vector<Request>()>;

  // `onEvent` and `setup` are called on the I/O threads, never after Stop has returned.
  CameraLink(LinkThreads threads, CameraAddress address, Credentials credentials, EventHandler onEvent,
             SessionSetup setup, LinkTimeouts timeouts = {});
  ~CameraLink();
  CameraLink(const CameraLink&) = delete;
  CameraLink& operator=(const CameraLink&) = delete;

  // Connects and logs in now; from then on it reconnects on its own. False (and nothing left
  // running) on failure.
  bool Start();
  // Ends the connection; calls in progress fail. Once it returns, no event or setup runs.
  void Stop();

  // One exchange; the reply payload, or nullopt on any failure: not connected (after one
  // reconnect attempt), send error, timeout, a non-zero status, another operation, or a payload
  // of the wrong size for an operation of fixed layout. Calls are serialised.
  std::optional<std::vector<std::uint8_t>> Call(protocol::Operation operation, std::span<const std::uint8_t> payload);

  // Where the camera is now (after it moved, the next connection goes there).
  void MoveTo(CameraAddress address);
  bool Connected() const;

 private:
  struct State;

  std::mutex m_callMutex;  // one exchange at a time
  const std::shared_ptr<State> m_state;
};

}  // namespace camera
