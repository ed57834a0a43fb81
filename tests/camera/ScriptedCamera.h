#pragma once
// A camera for tests of the library's checks: a TCP server on 127.0.0.1 whose answer to each
// request is up to the test, down to raw bytes, so that short, oversized, malformed and
// unexpected replies can be sent.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/camera/protocol/Frame.h"

namespace camera::test {

using Bytes = std::vector<std::uint8_t>;

// What the camera sends back for one request.
struct Answer {
  std::vector<Bytes> writes;  // raw chunks, in order
  bool close = false;         // close the connection afterwards

  static Answer Reply(const protocol::FrameHeader& request, Bytes payload = {},
                      protocol::Status status = protocol::Status::Ok);
  static Answer Nothing() { return {}; }
  static Answer Raw(Bytes bytes) { return Answer{{std::move(bytes)}, false}; }
};

Bytes ReplyFrame(const protocol::FrameHeader& request, Bytes payload = {},
                 protocol::Status status = protocol::Status::Ok);
Bytes EventFrame(protocol::Operation operation, const Bytes& payload);

class ScriptedCamera {
 public:
  using Handler = std::function<Answer(const protocol::Frame& request)>;

  // Answers Login with Ok and hands every other request to `handler`.
  explicit ScriptedCamera(Handler handler);
  ~ScriptedCamera();

  std::uint16_t Port() const { return m_port; }
  // Sends raw bytes on the newest connection; false when there is none.
  bool Push(const Bytes& bytes);
  // Closes every open connection (the camera stays listening).
  void DropConnections();
  int Connections() const { return m_connections; }
  // Requests received (Login included), in order.
  std::vector<protocol::FrameHeader> Requests() const;
  void SetLoginAnswer(std::function<Answer(const protocol::Frame&)> answer);

 private:
  void Accept();
  void Serve(int fd);

  Handler m_handler;
  std::function<Answer(const protocol::Frame&)> m_loginAnswer;
  int m_listener = -1;
  std::uint16_t m_port = 0;
  std::atomic<bool> m_stopping{false};
  std::atomic<int> m_connections{0};
  mutable std::mutex m_mutex;
  std::vector<int> m_open;
  std::vector<protocol::FrameHeader> m_requests;
  std::vector<std::thread> m_threads;
  std::thread m_acceptor;
};

}  // namespace camera::test
