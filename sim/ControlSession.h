#pragma once
// One connection speaking the control protocol: reads request frames, lets the camera answer
// them, and writes replies and events, one write in flight with a queue behind it.

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include "platform/camera/protocol/Frame.h"
#include "sim/FaultPlan.h"
#include "sim/Operations.h"

namespace camsim {

class SimCamera;

class ControlSession : public std::enable_shared_from_this<ControlSession> {
 public:
  using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;

  // `received` are the bytes the sniffer already read from the socket.
  ControlSession(boost::asio::ip::tcp::socket socket, std::shared_ptr<SimCamera> camera,
                 std::vector<std::uint8_t> received);
  void Run();

  std::uint64_t Connection() const { return m_state.connection; }
  // Thread-safe. A video frame is dropped while two are already waiting to be written.
  void SendEvent(Bytes frame, bool isVideo);
  // Thread-safe: ends the connection once what is queued has been written.
  void CloseAfterFlush();
  // Thread-safe: ends the connection now.
  void Close();

 private:
  struct Outgoing {
    Bytes bytes;
    bool isVideo = false;
  };

  void Read();
  void OnRead(const boost::system::error_code& ec, std::size_t bytes);
  bool TakeFrames(std::span<const std::uint8_t> bytes);
  void OnRequest(camera::protocol::Frame frame);
  void Execute(const camera::protocol::Frame& frame, const std::optional<Fault>& fault, std::uint64_t callNumber);
  void SendReply(const camera::protocol::Frame& request, const Reply& reply);
  void Queue(Bytes bytes, bool isVideo);
  void Write();
  void OnWrite(const boost::system::error_code& ec);
  void Shutdown();
  void Fail(const boost::system::error_code& ec, const char* what);

  boost::asio::ip::tcp::socket m_socket;
  boost::asio::steady_timer m_loginDeadline;
  boost::asio::steady_timer m_writeDeadline;
  std::shared_ptr<SimCamera> m_camera;
  std::vector<std::uint8_t> m_received;
  camera::protocol::FrameDecoder m_decoder{camera::protocol::Receiver::Camera};
  std::array<std::uint8_t, 16 * 1024> m_readBuffer{};
  std::deque<Outgoing> m_queue;
  std::size_t m_queuedBytes = 0;
  int m_queuedVideo = 0;
  bool m_writing = false;
  bool m_closeAfterFlush = false;
  bool m_closed = false;
  SessionState m_state;
};

}  // namespace camsim
