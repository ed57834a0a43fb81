#pragma once
// A TCP socket to a camera. Shared between the thread that reads and the threads that write;
// Shutdown() wakes a blocked reader, and the descriptor is closed only when the last user lets go,
// so no thread ever touches a descriptor number that was reused.

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace camera {

// Writes all bytes to a connected TCP descriptor; false on error or after `timeout` (real time)
// without progress.
bool SendAllTo(int fd, std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout);

class Socket {
 public:
  ~Socket();
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  // Connects to ip:port within `timeout` (real time); nullptr on failure.
  static std::shared_ptr<Socket> Connect(const std::string& ip, std::uint16_t port,
                                         std::chrono::milliseconds timeout);

  // Writes all bytes (one writer at a time); false on error or after `timeout` without progress.
  bool SendAll(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout);
  // Reads what is there, blocking until something arrives. 0 on end of stream, -1 on error or
  // after Shutdown.
  long Receive(std::span<std::uint8_t> buffer);
  // As Receive, but gives up (-1) when nothing arrives within `timeout` (real time).
  long ReceiveWithin(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout);
  // Ends both directions; blocked and later reads and writes fail at once.
  void Shutdown();

 private:
  explicit Socket(int fd) : m_fd(fd) {}

  const int m_fd;
  std::mutex m_sendMutex;
};

}  // namespace camera
