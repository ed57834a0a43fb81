#include "sim/MulticastListener.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdio>
#include <span>

#include <boost/asio/ip/multicast.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>

#include "sim/RunOn.h"

namespace camsim {

namespace asio = boost::asio;
using asio::ip::udp;

MulticastListener::MulticastListener(asio::io_context& io, Handler handler)
    : m_io(io), m_socket(asio::make_strand(io)), m_handler(std::move(handler)) {}

std::string MulticastListener::Start(const std::string& group, std::uint16_t port) {
  boost::system::error_code ec;
  const auto groupAddress = asio::ip::make_address_v4(group, ec);
  if (ec || !groupAddress.is_multicast()) return "not a multicast group: " + group;
  const udp::endpoint local(groupAddress, port);
  if (m_socket.open(udp::v4(), ec); ec) return "socket: " + ec.message();
  if (m_socket.set_option(asio::socket_base::reuse_address(true), ec); ec) return "reuse: " + ec.message();
  // Only the groups this socket joined itself, never those other programs joined elsewhere.
  const int all = 0;
  if (::setsockopt(m_socket.native_handle(), IPPROTO_IP, IP_MULTICAST_ALL, &all, sizeof all) != 0) {
    return "IP_MULTICAST_ALL refused";
  }
  if (m_socket.bind(local, ec); ec) return "bind: " + ec.message();
  if (m_socket.set_option(asio::ip::multicast::join_group(groupAddress, asio::ip::address_v4::loopback()), ec); ec) {
    return "join on lo: " + ec.message();
  }
  Receive();
  return {};
}

void MulticastListener::Stop() {
  RunOn(m_io, m_socket.get_executor(), [self = shared_from_this()] {
    boost::system::error_code ignored;
    self->m_socket.close(ignored);
  });
}

void MulticastListener::Receive() {
  m_socket.async_receive_from(asio::buffer(m_buffer), m_sender,
                              [self = shared_from_this()](const boost::system::error_code& ec, std::size_t bytes) {
                                self->OnReceive(ec, bytes);
                              });
}

void MulticastListener::OnReceive(const boost::system::error_code& ec, std::size_t bytes) {
  if (ec) return Fail(ec, "receive");
  const auto sender = m_sender.address();
  if (sender.is_v4() && sender.to_v4().to_bytes()[0] == 127) {
    if (auto datagram = ParseNetParamDatagram(std::span<const std::uint8_t>(m_buffer.data(), bytes))) {
      m_handler(*datagram);
    }
  }
  Receive();
}

void MulticastListener::Fail(const boost::system::error_code& ec, const char* what) {
  if (ec == asio::error::operation_aborted || ec == asio::error::bad_descriptor) return;
  std::fprintf(stderr, "camsim multicast %s: %s\n", what, ec.message().c_str());
}

}  // namespace camsim
