#pragma once
// One TCP connection of a handle to its camera, on the library's I/O threads.
// - Reading happens on the link's I/O thread: wait until the socket is readable, then Take() what
//   has arrived. No buffer is held per connection while it waits.
// - A request is sent by the thread that makes the call (SendAll blocks that thread only).
// - Shutdown() may come from any thread. The descriptor is closed only when the last user lets go,
//   so no thread ever touches a descriptor number that was reused.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "platform/camera/protocol/Frame.h"

namespace camera {

// The I/O thread of a link (an io_context that one thread runs).
using IoExecutor = boost::asio::io_context::executor_type;

class Connection {
 public:
  // An open, not yet connected socket; throws when no socket can be had.
  explicit Connection(const IoExecutor& executor);
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // On the link's I/O thread only.
  boost::asio::ip::tcp::socket& Socket() { return m_socket; }

  // Requests count from 1 on every connection. The handshake numbers its requests on the I/O
  // thread, then the callers theirs, one call at a time.
  std::uint32_t NextSequence() { return ++m_sequence; }
  // Which connection of its link this is (0 until it is published).
  std::uint64_t Generation() const { return m_generation; }
  void SetGeneration(std::uint64_t generation) { m_generation = generation; }

  // From the calling thread; false on error or after `timeout` (real time) without progress.
  bool SendAll(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout);
  // Sends what the socket takes now without waiting: the bytes sent, or -1 on error.
  long SendNow(std::span<const std::uint8_t> bytes);
  // Ends both directions: a wait for reading completes, later sends fail.
  void Shutdown();

  enum class Intake {
    Wait,     // all that had arrived is taken: wait until readable again
    More,     // this turn's share is taken and more may wait: go on after the other connections' turns
    Stopped,  // `onFrame` asked to stop; the frames after it stay buffered
    Closed,   // end of stream, an error or a broken stream
  };
  // On the I/O thread: hands every complete frame to `onFrame` (false stops), reading what has arrived
  // (a bounded amount, so that one busy camera cannot hold an I/O thread). The socket's readiness
  // is reported once per arrival, so after More the caller must come back without waiting for it.
  Intake Take(const std::function<bool(protocol::Frame&&)>& onFrame);

 private:
  boost::asio::ip::tcp::socket m_socket;
  const int m_fd;
  protocol::FrameDecoder m_decoder{protocol::Receiver::Library};
  std::uint32_t m_sequence = 0;
  std::uint64_t m_generation = 0;
};

}  // namespace camera
