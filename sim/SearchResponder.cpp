#include "sim/SearchResponder.h"

#include <cstdio>
#include <span>

#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>

#include "platform/camera/protocol/SearchDatagram.h"
#include "sim/SimCamera.h"

namespace camsim {

namespace asio = boost::asio;
using asio::ip::udp;

SearchResponder::SearchResponder(asio::io_context& io, std::weak_ptr<SimCamera> camera)
    : m_socket(asio::make_strand(io)), m_camera(std::move(camera)) {}

std::string SearchResponder::Bind(const std::string& ip, std::uint16_t port) {
  boost::system::error_code ec;
  const auto address = asio::ip::make_address_v4(ip, ec);
  if (ec) return "not an address: " + ip;
  if (m_socket.open(udp::v4(), ec); ec) return "open: " + ec.message();
  if (m_socket.bind(udp::endpoint(address, port), ec); ec) {
    return "bind udp " + ip + ":" + std::to_string(port) + ": " + ec.message();
  }
  return {};
}

void SearchResponder::Run() {
  asio::post(m_socket.get_executor(), [self = shared_from_this()] { self->Receive(); });
}

// Closed here and now, on whatever thread asks, so that the address is free for the next bind.
void SearchResponder::Stop() {
  std::lock_guard lock(m_mutex);
  boost::system::error_code ignored;
  m_socket.close(ignored);
}

void SearchResponder::Receive() {
  std::lock_guard lock(m_mutex);
  if (!m_socket.is_open()) return;
  m_socket.async_receive_from(asio::buffer(m_buffer), m_sender,
                              [self = shared_from_this()](const boost::system::error_code& ec, std::size_t bytes) {
                                self->OnReceive(ec, bytes);
                              });
}

void SearchResponder::OnReceive(const boost::system::error_code& ec, std::size_t bytes) {
  if (ec == asio::error::operation_aborted) return;
  if (ec) {
    Fail(ec, "receive");
    return Receive();
  }
  const auto probe = camera::protocol::SearchProbe::Decode(std::span<const std::uint8_t>(m_buffer.data(), bytes));
  auto camera = m_camera.lock();
  // Only ever answered on loopback: the socket is bound to a 127.x address anyway.
  const auto sender = m_sender.address();
  if (probe && camera && sender.is_v4() && sender.to_v4().to_bytes()[0] == 127) {
    if (const auto answer = camera->SearchAnswer(probe->searchId)) Send(*answer);
  }
  Receive();
}

void SearchResponder::Send(const std::vector<std::uint8_t>& answer) {
  std::lock_guard lock(m_mutex);
  if (!m_socket.is_open()) return;
  boost::system::error_code sendError;
  m_socket.send_to(asio::buffer(answer), m_sender, 0, sendError);
  if (sendError) Fail(sendError, "send");
}

void SearchResponder::Fail(const boost::system::error_code& ec, const char* what) {
  if (ec == asio::error::operation_aborted || ec == asio::error::bad_descriptor ||
      ec == asio::error::connection_refused) {
    return;
  }
  std::fprintf(stderr, "camsim search %s: %s\n", what, ec.message().c_str());
}

}  // namespace camsim
