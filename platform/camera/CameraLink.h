#pragma once
// The control connection of one handle: connects and logs in, serialises request/reply
// exchanges, reads replies and events on its own thread, and reconnects when the connection
// drops (a reboot, a new address, a broken stream).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/camera/CameraAddress.h"
#include "platform/camera/protocol/Frame.h"

namespace camera {

class Socket;

struct Credentials {
  std::string user;
  std::string password;
};

struct LinkTimeouts {
  std::chrono::milliseconds connect{3000};  // real time
  std::chrono::milliseconds io{5000};       // real time, a send or a handshake reply
  std::chrono::milliseconds reply{10000};   // on os::Clock, the reply to a call
  std::chrono::milliseconds firstBackoff{500};
  std::chrono::milliseconds maxBackoff{4000};
};

struct Request {
  protocol::Operation operation;
  std::vector<std::uint8_t> payload;
};

class CameraLink {
 public:
  // Handles events (on the link's thread, or the thread that is connecting); must not block.
  using EventHandler = std::function<void(protocol::Frame&& event)>;
  // The requests that restore the session after Login on every new connection.
  using SessionSetup = std::function<std::vector<Request>()>;

  CameraLink(CameraAddress address, Credentials credentials, EventHandler onEvent, SessionSetup setup,
             LinkTimeouts timeouts = {});
  ~CameraLink();
  CameraLink(const CameraLink&) = delete;
  CameraLink& operator=(const CameraLink&) = delete;

  // Connects and logs in now, then starts reading. False (and nothing running) on failure.
  bool Start();
  // Ends the connection and the reading thread; calls in progress fail.
  void Stop();

  // One exchange; the reply payload, or nullopt on any failure: not connected (after one
  // reconnect attempt), send error, timeout, a non-zero status, another operation, or a payload
  // of the wrong size for an operation of fixed layout. Calls are serialised.
  std::optional<std::vector<std::uint8_t>> Call(protocol::Operation operation, std::span<const std::uint8_t> payload);

  // Where the camera is now (after it moved, the next connection goes there).
  void MoveTo(CameraAddress address);
  bool Connected() const;

 private:
  struct Connection;
  struct Pending {
    std::uint32_t sequence = 0;
    std::optional<protocol::Frame> reply;
  };

  bool Reconnect();
  std::shared_ptr<Connection> Handshake(const CameraAddress& address);
  std::optional<protocol::Frame> Exchange(Connection& connection, const Request& request);
  void Publish(std::shared_ptr<Connection> connection);
  void Drop(std::uint64_t generation);
  void ReadLoop();
  void WaitToReconnect(std::chrono::milliseconds backoff);
  void Dispatch(protocol::Frame&& frame, std::uint64_t generation);

  const Credentials m_credentials;
  const EventHandler m_onEvent;
  const SessionSetup m_setup;
  const LinkTimeouts m_timeouts;

  std::mutex m_callMutex;     // one exchange at a time
  std::mutex m_connectMutex;  // one connection attempt at a time
  mutable std::mutex m_mutex; // everything below
  std::condition_variable m_changed;
  CameraAddress m_address;
  std::shared_ptr<Connection> m_connection;
  std::uint64_t m_generation = 0;
  std::optional<Pending> m_pending;
  bool m_stopping = false;
  std::thread m_reader;
};

}  // namespace camera
