#pragma once
// A bare client of the control protocol for the simulator's tests: blocking sockets, one request
// at a time, events kept aside until asked for.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/camera/protocol/Frame.h"

namespace camsim::test {

using Bytes = std::vector<std::uint8_t>;

struct Answer {
  camera::protocol::Status status = camera::protocol::Status::Ok;
  Bytes payload;
};

class ProtocolClient {
 public:
  ProtocolClient() = default;
  ~ProtocolClient();
  ProtocolClient(const ProtocolClient&) = delete;
  ProtocolClient& operator=(const ProtocolClient&) = delete;

  bool Connect(const std::string& ip, std::uint16_t port);
  // Connects and logs in; false when either fails.
  bool Open(const std::string& ip, std::uint16_t port, const std::string& user = "qorvt",
            const std::string& password = "qorvt");
  void Disconnect();

  // One request and its reply; nullopt when none came in time or the connection ended.
  std::optional<Answer> Call(camera::protocol::Operation operation, const Bytes& payload = {},
                             std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // The status of a call, or Failed when no reply came.
  camera::protocol::Status StatusOf(camera::protocol::Operation operation, const Bytes& payload = {});
  // The next event of this operation (earlier events of it are taken first).
  std::optional<camera::protocol::Frame> WaitEvent(camera::protocol::Operation operation,
                                                   std::chrono::milliseconds timeout = std::chrono::seconds(5));
  bool SendRaw(std::span<const std::uint8_t> bytes);
  // Sends a request frame without waiting; returns its sequence number.
  std::uint32_t Send(camera::protocol::Operation operation, const Bytes& payload = {});
  // A reply with this sequence number.
  std::optional<Answer> Receive(std::uint32_t sequence, std::chrono::milliseconds timeout);
  // True when the camera ends the connection within the time.
  bool WaitClosed(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  bool Connected() const { return m_fd >= 0; }

 private:
  std::optional<camera::protocol::Frame> ReadFrame(std::chrono::steady_clock::time_point deadline);

  int m_fd = -1;
  std::uint32_t m_sequence = 0;
  camera::protocol::FrameDecoder m_decoder{camera::protocol::Receiver::Library};
  std::deque<camera::protocol::Frame> m_events;
};

// Connecting to ip:port succeeds (something listens).
bool CanConnect(const std::string& ip, std::uint16_t port);

struct HttpResult {
  int status = 0;
  std::string headers;
  std::string body;
};
// One GET with an optional Cookie header; status 0 when the exchange failed.
HttpResult HttpGet(const std::string& ip, std::uint16_t port, const std::string& target, const std::string& cookie = {});

// A loopback address block for this test process (127.a.b.0/24), so that tests running in
// parallel never share an address: "127.a.b." to which the caller appends the host number.
std::string ProcessAddressPrefix();

}  // namespace camsim::test
