#include "sim/ConnectionSniffer.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include <boost/asio/post.hpp>

#include "platform/camera/protocol/Frame.h"
#include "sim/ControlSession.h"
#include "sim/WebSession.h"

namespace camsim {

namespace asio = boost::asio;

namespace {

// A client that connects and says nothing is dropped after this.
constexpr auto kFirstBytesTimeout = std::chrono::seconds(10);

}  // namespace

ConnectionSniffer::ConnectionSniffer(asio::ip::tcp::socket socket, std::shared_ptr<SimCamera> camera)
    : m_socket(std::move(socket)), m_deadline(m_socket.get_executor()), m_camera(std::move(camera)) {}

void ConnectionSniffer::Run() {
  asio::post(m_socket.get_executor(), [self = shared_from_this()] {
    self->m_deadline.expires_after(kFirstBytesTimeout);
    self->m_deadline.async_wait([weak = std::weak_ptr<ConnectionSniffer>(self)](const boost::system::error_code& ec) {
      auto self = weak.lock();
      if (ec || !self) return;
      boost::system::error_code ignored;
      self->m_socket.close(ignored);
    });
    self->Read();
  });
}

void ConnectionSniffer::Read() {
  m_socket.async_read_some(asio::buffer(m_first.data() + m_received, m_first.size() - m_received),
                           [self = shared_from_this()](const boost::system::error_code& ec, std::size_t bytes) {
                             self->OnRead(ec, bytes);
                           });
}

void ConnectionSniffer::OnRead(const boost::system::error_code& ec, std::size_t bytes) {
  if (ec) return;  // closed or timed out before saying anything
  m_received += bytes;
  if (m_received < m_first.size()) return Read();
  m_deadline.cancel();
  HandOver();
}

void ConnectionSniffer::HandOver() {
  std::vector<std::uint8_t> received(m_first.begin(), m_first.end());
  if (std::equal(m_first.begin(), m_first.end(), std::begin(camera::protocol::kFrameMagic))) {
    std::make_shared<ControlSession>(std::move(m_socket), std::move(m_camera), std::move(received))->Run();
  } else {
    std::make_shared<WebSession>(std::move(m_socket), std::move(m_camera), std::move(received))->Run();
  }
}

}  // namespace camsim
