#pragma once
// Receives the address-change datagram on the loopback interface only: the group is joined on lo,
// other groups of the host are not delivered to this socket, and a sender outside 127/8 is ignored.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include "sim/NetParamDatagram.h"

namespace camsim {

class MulticastListener : public std::enable_shared_from_this<MulticastListener> {
 public:
  using Handler = std::function<void(const NetParamDatagram&)>;

  MulticastListener(boost::asio::io_context& io, Handler handler);

  // Binds group:port (shared with other listeners of the host) and joins the group on lo.
  // Returns an empty text on success, else what failed.
  std::string Start(const std::string& group, std::uint16_t port);
  void Stop();

 private:
  void Receive();
  void OnReceive(const boost::system::error_code& ec, std::size_t bytes);
  void Fail(const boost::system::error_code& ec, const char* what);

  boost::asio::io_context& m_io;
  boost::asio::ip::udp::socket m_socket;
  boost::asio::ip::udp::endpoint m_sender;
  std::array<std::uint8_t, 64> m_buffer{};
  Handler m_handler;
};

}  // namespace camsim
