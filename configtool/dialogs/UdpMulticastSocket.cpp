#include "configtool/dialogs/UdpMulticastSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool ToAddress(const std::string& text, std::uint16_t port, sockaddr_in& address) {
  address = sockaddr_in{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  return ::inet_pton(AF_INET, text.c_str(), &address.sin_addr) == 1;
}

}  // namespace

UdpMulticastSocket::~UdpMulticastSocket() { Close(); }

bool UdpMulticastSocket::Open() {
  Close();
  m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  return m_fd >= 0;
}

bool UdpMulticastSocket::SetMulticastTimeToLive(int timeToLive) {
  return ::setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_TTL, &timeToLive, sizeof timeToLive) == 0;
}

bool UdpMulticastSocket::SetMulticastLoopback(bool enabled) {
  const unsigned char loop = enabled ? 1 : 0;
  return ::setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop) == 0;
}

bool UdpMulticastSocket::SetMulticastInterface(const std::string& localAddress) {
  sockaddr_in local{};
  if (!ToAddress(localAddress, 0, local)) return false;
  return ::setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_IF, &local.sin_addr, sizeof local.sin_addr) == 0;
}

bool UdpMulticastSocket::Bind(const std::string& localAddress, std::uint16_t port) {
  sockaddr_in local{};
  if (!ToAddress(localAddress, port, local)) return false;
  return ::bind(m_fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
}

bool UdpMulticastSocket::SendTo(const std::uint8_t* bytes, std::size_t size, const std::string& group,
                                std::uint16_t port) {
  sockaddr_in target{};
  if (!ToAddress(group, port, target)) return false;
  const ssize_t sent = ::sendto(m_fd, bytes, size, 0, reinterpret_cast<const sockaddr*>(&target), sizeof target);
  return sent == static_cast<ssize_t>(size);
}

void UdpMulticastSocket::Close() {
  if (m_fd < 0) return;
  ::close(m_fd);
  m_fd = -1;
}
