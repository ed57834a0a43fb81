#include "sim/Listener.h"

#include <cstdio>

#include <boost/asio/strand.hpp>

#include "sim/ConnectionSniffer.h"
#include "sim/SimCamera.h"

namespace camsim {

namespace asio = boost::asio;
using asio::ip::tcp;

Listener::Listener(asio::io_context& io, std::weak_ptr<SimCamera> camera)
    : m_io(io), m_acceptor(asio::make_strand(io)), m_camera(std::move(camera)) {}

std::string Listener::Bind(const std::string& ip, std::uint16_t port) {
  boost::system::error_code ec;
  const auto address = asio::ip::make_address_v4(ip, ec);
  if (ec) return "not an address: " + ip;
  const tcp::endpoint endpoint(address, port);
  if (m_acceptor.open(endpoint.protocol(), ec); ec) return "open: " + ec.message();
  if (m_acceptor.set_option(asio::socket_base::reuse_address(true), ec); ec) return "reuse: " + ec.message();
  if (m_acceptor.bind(endpoint, ec); ec) return "bind " + ip + ":" + std::to_string(port) + ": " + ec.message();
  if (m_acceptor.listen(asio::socket_base::max_listen_connections, ec); ec) return "listen: " + ec.message();
  return {};
}

void Listener::Run() {
  asio::post(m_acceptor.get_executor(), [self = shared_from_this()] { self->Accept(); });
}

// Closed here and now, on whatever thread asks (often an io thread, answering the request that
// moved or rebooted the camera): a client that sees its connection end finds the port refusing.
void Listener::Stop() {
  std::lock_guard lock(m_mutex);
  boost::system::error_code ignored;
  m_acceptor.close(ignored);
}

void Listener::Accept() {
  std::lock_guard lock(m_mutex);
  if (!m_acceptor.is_open()) return;
  m_acceptor.async_accept(asio::make_strand(m_io),
                          [self = shared_from_this()](const boost::system::error_code& ec, tcp::socket socket) {
                            self->OnAccept(ec, std::move(socket));
                          });
}

void Listener::OnAccept(const boost::system::error_code& ec, tcp::socket socket) {
  if (ec) {
    Fail(ec, "accept");
    // Running out of descriptors is passing; a closed acceptor ends the loop in Accept.
    if (ec == asio::error::operation_aborted) return;
  } else if (auto camera = m_camera.lock()) {
    std::make_shared<ConnectionSniffer>(std::move(socket), std::move(camera))->Run();
  }
  Accept();
}

void Listener::Fail(const boost::system::error_code& ec, const char* what) {
  if (ec == asio::error::operation_aborted || ec == asio::error::bad_descriptor) return;
  std::fprintf(stderr, "camsim listener %s: %s\n", what, ec.message().c_str());
}

}  // namespace camsim
