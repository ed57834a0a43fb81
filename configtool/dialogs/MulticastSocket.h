#pragma once
// The socket through which the network-parameter datagram leaves: one UDP socket at a time,
// opened, set up, bound, used and closed for each local address. Tests put a recording socket in
// its place; UdpMulticastSocket is the real one.

#include <cstddef>
#include <cstdint>
#include <string>

class IMulticastSocket {
 public:
  virtual ~IMulticastSocket() = default;

  // Each step is false when it failed.
  virtual bool Open() = 0;
  virtual bool SetMulticastTimeToLive(int timeToLive) = 0;
  virtual bool SetMulticastLoopback(bool enabled) = 0;
  // The local address whose interface multicast leaves by.
  virtual bool SetMulticastInterface(const std::string& localAddress) = 0;
  virtual bool Bind(const std::string& localAddress, std::uint16_t port) = 0;
  virtual bool SendTo(const std::uint8_t* bytes, std::size_t size, const std::string& group, std::uint16_t port) = 0;
  // Nothing happens when no socket is open.
  virtual void Close() = 0;
};
