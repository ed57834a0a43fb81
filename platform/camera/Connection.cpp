#include "platform/camera/Connection.h"

#include <sys/socket.h>

#include <cerrno>
#include <vector>

#include "platform/camera/Socket.h"

namespace camera {
namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;
// Chunks read at one wake-up before the connection waits its turn again.
constexpr int kChunksPerTurn = 16;

boost::asio::ip::tcp::socket OpenSocket(const IoExecutor& executor) {
  boost::asio::ip::tcp::socket socket(executor);
  socket.open(boost::asio::ip::tcp::v4());
  return socket;
}

// One buffer per I/O thread, shared by the connections it serves.
std::span<std::uint8_t> ReadBuffer() {
  thread_local std::vector<std::uint8_t> buffer(kReadChunkBytes);
  return buffer;
}

}  // namespace

Connection::Connection(const IoExecutor& executor)
    : m_socket(OpenSocket(executor)), m_fd(m_socket.native_handle()) {}

bool Connection::SendAll(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout) {
  return SendAllTo(m_fd, bytes, timeout);
}

long Connection::SendNow(std::span<const std::uint8_t> bytes) {
  for (;;) {
    const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    if (errno != EINTR) return -1;
  }
}

void Connection::Shutdown() { ::shutdown(m_fd, SHUT_RDWR); }

Connection::Intake Connection::Take(const std::function<bool(protocol::Frame&&)>& onFrame) {
  const std::span<std::uint8_t> buffer = ReadBuffer();
  bool drained = false;
  for (int chunk = 0;; ++chunk) {
    while (auto frame = m_decoder.Next()) {
      if (!onFrame(std::move(*frame))) return Intake::Stopped;
    }
    if (m_decoder.Broken()) return Intake::Closed;
    if (drained) return Intake::Wait;
    if (chunk == kChunksPerTurn) return Intake::More;
    const ssize_t received = ::recv(m_fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (received > 0) {
      if (!m_decoder.Feed(buffer.first(static_cast<std::size_t>(received)))) return Intake::Closed;
      // Less than asked for: most likely all there was. Waiting again costs no read that finds
      // nothing, and anything that came meanwhile makes the socket readable at once.
      drained = static_cast<std::size_t>(received) < buffer.size();
      continue;
    }
    if (received < 0 && errno == EINTR) continue;
    if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return Intake::Wait;
    return Intake::Closed;
  }
}

}  // namespace camera
