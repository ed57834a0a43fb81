#include "platform/camera/Handshake.h"

#include <boost/asio/post.hpp>

#include "platform/camera/ReplyReader.h"

namespace camera {

namespace asio = boost::asio;
using protocol::Frame;
using protocol::FrameKind;
using protocol::Operation;
using protocol::Status;

Handshake::Handshake(const IoExecutor& executor, CameraAddress address, Request login, const LinkTimeouts& timeouts,
                     Callbacks callbacks)
    : m_executor(executor),
      m_address(std::move(address)),
      m_login(std::move(login)),
      m_timeouts(timeouts),
      m_callbacks(std::move(callbacks)),
      m_connection(std::make_shared<Connection>(executor)),
      m_deadline(executor) {}

void Handshake::Start() {
  asio::post(m_executor, [self = shared_from_this()] { self->Connect(); });
}

void Handshake::Abort() {
  asio::post(m_executor, [self = shared_from_this()] { self->Finish(false); });
}

template <typename Step>
auto Handshake::Then(Step step) {
  return [self = shared_from_this(), step](const boost::system::error_code& ec) {
    if (self->m_finished) return;
    if (ec) return self->Finish(false);
    ((*self).*step)();
  };
}

void Handshake::Connect() {
  if (m_finished) return;
  boost::system::error_code ec;
  const auto ip = asio::ip::make_address_v4(m_address.ip, ec);
  if (ec || m_address.port == 0) return Finish(false);
  Arm(m_timeouts.connect);
  m_connection->Socket().async_connect({ip, m_address.port}, Then(&Handshake::OnConnected));
}

void Handshake::OnConnected() {
  boost::system::error_code ignored;
  m_connection->Socket().set_option(asio::ip::tcp::no_delay(true), ignored);
  Exchange(m_login, [this](Frame&& reply) {
    if (!ReplyFits(reply, Operation::Login)) return Finish(false);
    RestoreSession();
  });
}

void Handshake::RestoreSession() {
  auto session = m_callbacks.setup();
  if (!session) return Finish(false);
  m_session = std::move(*session);
  NextRequest();
}

// A step the camera refuses now (a second login after its mode or password changed) leaves the
// session as the camera allows it; only a camera that stops answering fails the connection.
void Handshake::NextRequest() {
  if (m_next == m_session.size()) return Finish(true);
  const Operation operation = m_session[m_next].operation;
  Exchange(m_session[m_next], [this, operation](Frame&& reply) {
    if (reply.header.operation != operation) return Finish(false);
    ++m_next;
    NextRequest();
  });
}

void Handshake::Exchange(const Request& request, Continuation then) {
  m_awaited = m_connection->NextSequence();
  auto bytes = protocol::EncodeFrame(FrameKind::Request, request.operation, m_awaited, Status::Ok, request.payload);
  if (!bytes) return Finish(false);
  m_outgoing = std::move(*bytes);
  m_sent = 0;
  m_then = std::move(then);
  Arm(m_timeouts.io);
  Send();
}

void Handshake::Send() {
  const long sent = m_connection->SendNow(std::span<const std::uint8_t>(m_outgoing).subspan(m_sent));
  if (sent < 0) return Finish(false);
  m_sent += static_cast<std::size_t>(sent);
  if (m_sent < m_outgoing.size()) {
    m_connection->Socket().async_wait(asio::ip::tcp::socket::wait_write, Then(&Handshake::Send));
    return;
  }
  AwaitReply();
}

void Handshake::AwaitReply() {
  std::optional<Frame> reply;
  const auto intake = m_connection->Take([&](Frame&& frame) {
    if (frame.header.kind == FrameKind::Event) {
      m_callbacks.onEvent(std::move(frame));
      return true;
    }
    reply = std::move(frame);
    return false;
  });
  if (intake == Connection::Intake::Wait) {
    m_connection->Socket().async_wait(asio::ip::tcp::socket::wait_read, Then(&Handshake::AwaitReply));
    return;
  }
  if (intake == Connection::Intake::More) {
    asio::post(m_executor, [self = shared_from_this()] {
      if (!self->m_finished) self->AwaitReply();
    });
    return;
  }
  if (!reply || reply->header.sequence != m_awaited) return Finish(false);
  const Continuation then = std::move(m_then);
  then(std::move(*reply));
}

void Handshake::Arm(std::chrono::milliseconds timeout) {
  const std::uint64_t armed = ++m_armed;
  m_deadline.expires_after(timeout);
  m_deadline.async_wait([self = shared_from_this(), armed](const boost::system::error_code& ec) {
    if (!ec && armed == self->m_armed) self->Finish(false);
  });
}

void Handshake::Finish(bool success) {
  if (m_finished) return;
  m_finished = true;
  m_deadline.cancel();
  if (!success) {
    // Ends the connect or the wait under way; the socket closes with the last reference.
    boost::system::error_code ignored;
    m_connection->Socket().cancel(ignored);
  }
  m_callbacks.done(success ? m_connection : nullptr);
}

}  // namespace camera
