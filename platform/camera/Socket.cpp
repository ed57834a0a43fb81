#include "platform/camera/Socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace camera {
namespace {

bool WaitFor(int fd, short events, std::chrono::milliseconds timeout) {
  pollfd pfd{fd, events, 0};
  for (;;) {
    const int ready = ::poll(&pfd, 1, static_cast<int>(timeout.count()));
    if (ready > 0) return true;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
}

bool SetBlocking(int fd, bool blocking) {
  const int flags = ::fcntl(fd, F_GETFL, 0);
  if (flags < 0) return false;
  return ::fcntl(fd, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK)) == 0;
}

}  // namespace

Socket::~Socket() { ::close(m_fd); }

std::shared_ptr<Socket> Socket::Connect(const std::string& ip, std::uint16_t port,
                                        std::chrono::milliseconds timeout) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (port == 0 || ::inet_pton(AF_INET, ip.c_str(), &address.sin_addr) != 1) return nullptr;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  std::shared_ptr<Socket> socket(new Socket(fd));
  if (!SetBlocking(fd, false)) return nullptr;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (errno != EINPROGRESS || !WaitFor(fd, POLLOUT, timeout)) return nullptr;
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return nullptr;
  }
  if (!SetBlocking(fd, true)) return nullptr;
  const int noDelay = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
  return socket;
}

bool SendAllTo(int fd, std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLOUT, timeout)) continue;
    return false;
  }
  return true;
}

bool Socket::SendAll(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout) {
  std::lock_guard lock(m_sendMutex);
  return SendAllTo(m_fd, bytes, timeout);
}

long Socket::Receive(std::span<std::uint8_t> buffer) {
  for (;;) {
    const ssize_t n = ::recv(m_fd, buffer.data(), buffer.size(), 0);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return -1;
  }
}

long Socket::ReceiveWithin(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) {
  if (!WaitFor(m_fd, POLLIN, timeout)) return -1;
  return Receive(buffer);
}

void Socket::Shutdown() { ::shutdown(m_fd, SHUT_RDWR); }

}  // namespace camera
