#pragma once
// The network-parameter datagram's socket over the kernel's UDP sockets.

#include "configtool/dialogs/MulticastSocket.h"

class UdpMulticastSocket final : public IMulticastSocket {
 public:
  UdpMulticastSocket() = default;
  ~UdpMulticastSocket() override;
  UdpMulticastSocket(const UdpMulticastSocket&) = delete;
  UdpMulticastSocket& operator=(const UdpMulticastSocket&) = delete;

  bool Open() override;
  bool SetMulticastTimeToLive(int timeToLive) override;
  bool SetMulticastLoopback(bool enabled) override;
  bool SetMulticastInterface(const std::string& localAddress) override;
  bool Bind(const std::string& localAddress, std::uint16_t port) override;
  bool SendTo(const std::uint8_t* bytes, std::size_t size, const std::string& group, std::uint16_t port) override;
  void Close() override;

 private:
  int m_fd = -1;
};
