#include "sim/ControlSession.h"

#include <chrono>
#include <cstdio>

#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>

#include "sim/HandlerSupport.h"
#include "sim/SimCamera.h"

namespace camsim {

namespace asio = boost::asio;
using camera::protocol::Status;

namespace {

// A connection that has not logged in by then is closed.
constexpr auto kLoginTimeout = std::chrono::seconds(30);
// A client that does not take one frame in this time is gone.
constexpr auto kWriteTimeout = std::chrono::seconds(10);
// A client that lets this much pile up is not reading: the camera drops it.
constexpr std::size_t kMaxQueuedBytes = 64u * 1024u * 1024u;
constexpr int kMaxQueuedVideoFrames = 2;

bool IsOrdinaryEnd(const boost::system::error_code& ec) {
  return ec == asio::error::eof || ec == asio::error::connection_reset || ec == asio::error::operation_aborted ||
         ec == asio::error::bad_descriptor || ec == asio::error::broken_pipe || ec == asio::error::not_connected;
}

}  // namespace

ControlSession::ControlSession(asio::ip::tcp::socket socket, std::shared_ptr<SimCamera> camera,
                               std::vector<std::uint8_t> received)
    : m_socket(std::move(socket)),
      m_loginDeadline(m_socket.get_executor()),
      m_writeDeadline(m_socket.get_executor()),
      m_camera(std::move(camera)),
      m_received(std::move(received)) {
  m_state.connection = m_camera->NewConnectionNumber();
}

void ControlSession::Run() {
  asio::post(m_socket.get_executor(), [self = shared_from_this()] {
    if (!self->m_camera->Attach(self)) return self->Shutdown();
    self->m_loginDeadline.expires_after(kLoginTimeout);
    self->m_loginDeadline.async_wait([weak = std::weak_ptr<ControlSession>(self)](const boost::system::error_code& ec) {
      if (auto session = weak.lock(); session && !ec && !session->m_state.loggedIn) session->Shutdown();
    });
    const std::vector<std::uint8_t> received = std::move(self->m_received);
    if (self->TakeFrames(received)) self->Read();
  });
}

void ControlSession::SendEvent(Bytes frame, bool isVideo) {
  asio::post(m_socket.get_executor(),
             [self = shared_from_this(), frame = std::move(frame), isVideo] { self->Queue(frame, isVideo); });
}

void ControlSession::CloseAfterFlush() {
  asio::post(m_socket.get_executor(), [self = shared_from_this()] {
    self->m_closeAfterFlush = true;
    self->Write();
  });
}

void ControlSession::Close() {
  asio::post(m_socket.get_executor(), [self = shared_from_this()] { self->Shutdown(); });
}

void ControlSession::Read() {
  if (m_closed) return;
  m_socket.async_read_some(asio::buffer(m_readBuffer),
                           [self = shared_from_this()](const boost::system::error_code& ec, std::size_t bytes) {
                             self->OnRead(ec, bytes);
                           });
}

void ControlSession::OnRead(const boost::system::error_code& ec, std::size_t bytes) {
  if (ec) {
    Fail(ec, "read");
    return Shutdown();
  }
  if (TakeFrames(std::span<const std::uint8_t>(m_readBuffer.data(), bytes))) Read();
}

// False when the connection is over: a broken stream is closed at once.
bool ControlSession::TakeFrames(std::span<const std::uint8_t> bytes) {
  if (m_closed) return false;
  if (!m_decoder.Feed(bytes)) {
    Shutdown();
    return false;
  }
  while (auto frame = m_decoder.Next()) {
    OnRequest(std::move(*frame));
    if (m_closed) return false;
  }
  return true;
}

void ControlSession::OnRequest(camera::protocol::Frame frame) {
  if (m_closeAfterFlush) return;
  const auto operation = frame.header.operation;
  const std::uint64_t callNumber =
      m_camera->Calls().Add(CallRecord{operation, frame.header.sequence, m_state.connection, frame.payload, {}});
  const std::optional<Fault> fault = m_camera->Faults().Take(operation);
  if (fault && fault->reboot) return m_camera->Reboot();
  if (fault && fault->disconnect) return Shutdown();
  if (fault && fault->delay.count() > 0) {
    auto timer = std::make_shared<asio::steady_timer>(m_socket.get_executor(), fault->delay);
    timer->async_wait([self = shared_from_this(), timer, frame = std::move(frame), fault,
                       callNumber](const boost::system::error_code& ec) {
      if (!ec) self->Execute(frame, fault, callNumber);
    });
    return;
  }
  Execute(frame, fault, callNumber);
}

void ControlSession::Execute(const camera::protocol::Frame& frame, const std::optional<Fault>& fault,
                             std::uint64_t callNumber) {
  if (m_closed) return;
  const Reply reply = fault && fault->status ? Refuse(*fault->status)
                                             : m_camera->Handle(m_state, frame.header.operation, frame.payload);
  if (m_state.loggedIn) m_loginDeadline.cancel();
  if (!(fault && fault->dropReply)) {
    // Logged first, so that a client holding the reply finds its status in the log.
    m_camera->Calls().Answered(callNumber, reply.status);
    SendReply(frame, reply);
  }
}

void ControlSession::SendReply(const camera::protocol::Frame& request, const Reply& reply) {
  using camera::protocol::EncodeFrame;
  using camera::protocol::FrameKind;
  const auto& header = request.header;
  std::span<const std::uint8_t> payload;
  if (reply.status == Status::Ok) payload = reply.payload;
  auto bytes = EncodeFrame(FrameKind::Reply, header.operation, header.sequence, reply.status, payload);
  if (!bytes) bytes = EncodeFrame(FrameKind::Reply, header.operation, header.sequence, Status::Failed, {});
  if (bytes) Queue(std::make_shared<const std::vector<std::uint8_t>>(std::move(*bytes)), false);
}

void ControlSession::Queue(Bytes bytes, bool isVideo) {
  if (m_closed || m_closeAfterFlush || !bytes) return;
  if (isVideo && m_queuedVideo >= kMaxQueuedVideoFrames) return;
  if (m_queuedBytes + bytes->size() > kMaxQueuedBytes) return Shutdown();
  m_queuedBytes += bytes->size();
  if (isVideo) ++m_queuedVideo;
  m_queue.push_back(Outgoing{std::move(bytes), isVideo});
  Write();
}

void ControlSession::Write() {
  if (m_closed || m_writing) return;
  if (m_queue.empty()) {
    if (m_closeAfterFlush) Shutdown();
    return;
  }
  m_writing = true;
  m_writeDeadline.expires_after(kWriteTimeout);
  m_writeDeadline.async_wait([weak = weak_from_this()](const boost::system::error_code& ec) {
    if (auto session = weak.lock(); session && !ec) session->Shutdown();
  });
  asio::async_write(m_socket, asio::buffer(*m_queue.front().bytes),
                    [self = shared_from_this()](const boost::system::error_code& ec, std::size_t) { self->OnWrite(ec); });
}

void ControlSession::OnWrite(const boost::system::error_code& ec) {
  m_writing = false;
  m_writeDeadline.cancel();
  if (m_closed) return;
  if (ec) {
    Fail(ec, "write");
    return Shutdown();
  }
  const Outgoing& sent = m_queue.front();
  m_queuedBytes -= sent.bytes->size();
  if (sent.isVideo) --m_queuedVideo;
  m_queue.pop_front();
  Write();
}

void ControlSession::Shutdown() {
  if (m_closed) return;
  m_closed = true;
  m_loginDeadline.cancel();
  m_writeDeadline.cancel();
  boost::system::error_code ignored;
  m_socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
  m_socket.close(ignored);
  m_queue.clear();
  m_queuedBytes = 0;
  m_queuedVideo = 0;
  m_camera->Detach(m_state.connection);
}

void ControlSession::Fail(const boost::system::error_code& ec, const char* what) {
  if (IsOrdinaryEnd(ec)) return;
  std::fprintf(stderr, "camsim session %s: %s\n", what, ec.message().c_str());
}

}  // namespace camsim
