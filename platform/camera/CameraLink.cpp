#include "platform/camera/CameraLink.h"

#include <algorithm>

#include "platform/camera/ReplyReader.h"
#include "platform/camera/Socket.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/os/Clock.h"

namespace camera {

using protocol::Frame;
using protocol::FrameKind;
using protocol::Operation;
using protocol::Status;

namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;

}  // namespace

struct CameraLink::Connection {
  explicit Connection(std::shared_ptr<Socket> s) : socket(std::move(s)) {}

  std::shared_ptr<Socket> socket;
  protocol::FrameDecoder decoder{protocol::Receiver::Library};
  std::uint64_t generation = 0;
  std::uint32_t sequence = 0;  // the last one sent
};

CameraLink::CameraLink(CameraAddress address, Credentials credentials, EventHandler onEvent, SessionSetup setup,
                       LinkTimeouts timeouts)
    : m_credentials(std::move(credentials)),
      m_onEvent(std::move(onEvent)),
      m_setup(std::move(setup)),
      m_timeouts(timeouts),
      m_address(std::move(address)) {}

CameraLink::~CameraLink() { Stop(); }

bool CameraLink::Start() {
  if (!Reconnect()) return false;
  m_reader = std::thread([this] { ReadLoop(); });
  return true;
}

void CameraLink::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    if (m_connection) {
      m_connection->socket->Shutdown();
      m_connection.reset();
    }
  }
  m_changed.notify_all();
  if (m_reader.joinable()) m_reader.join();
}

void CameraLink::MoveTo(CameraAddress address) {
  std::uint64_t stale = 0;
  {
    std::lock_guard lock(m_mutex);
    if (address.ip == m_address.ip && address.port == m_address.port) return;
    m_address = std::move(address);
    if (m_connection) stale = m_connection->generation;
  }
  if (stale != 0) Drop(stale);
}

bool CameraLink::Connected() const {
  std::lock_guard lock(m_mutex);
  return m_connection != nullptr;
}

std::optional<std::vector<std::uint8_t>> CameraLink::Call(Operation operation, std::span<const std::uint8_t> payload) {
  std::lock_guard callLock(m_callMutex);
  std::shared_ptr<Connection> connection;
  {
    std::lock_guard lock(m_mutex);
    if (m_stopping) return std::nullopt;
    connection = m_connection;
  }
  if (!connection) {
    if (!Reconnect()) return std::nullopt;
    std::lock_guard lock(m_mutex);
    connection = m_connection;
    if (!connection) return std::nullopt;
  }
  const std::uint32_t sequence = ++connection->sequence;
  const auto bytes = protocol::EncodeFrame(FrameKind::Request, operation, sequence, Status::Ok, payload);
  if (!bytes) return std::nullopt;
  {
    std::lock_guard lock(m_mutex);
    m_pending = Pending{sequence, std::nullopt};
  }
  if (!connection->socket->SendAll(*bytes, m_timeouts.io)) {
    {
      std::lock_guard lock(m_mutex);
      m_pending.reset();
    }
    Drop(connection->generation);
    return std::nullopt;
  }
  std::unique_lock lock(m_mutex);
  os::CurrentClock().WaitFor(m_changed, lock, m_timeouts.reply, [&] {
    return m_stopping || m_pending->reply.has_value() || m_connection != connection;
  });
  std::optional<Frame> reply = std::move(m_pending->reply);
  m_pending.reset();
  lock.unlock();
  if (!reply || !ReplyFits(*reply, operation)) return std::nullopt;
  return std::move(reply->payload);
}

bool CameraLink::Reconnect() {
  std::lock_guard connectLock(m_connectMutex);
  CameraAddress address;
  {
    std::lock_guard lock(m_mutex);
    if (m_stopping) return false;
    if (m_connection) return true;
    address = m_address;
  }
  auto connection = Handshake(address);
  if (!connection) return false;
  Publish(std::move(connection));
  std::lock_guard lock(m_mutex);
  return m_connection != nullptr;
}

std::shared_ptr<CameraLink::Connection> CameraLink::Handshake(const CameraAddress& address) {
  auto socket = Socket::Connect(address.ip, address.port, m_timeouts.connect);
  if (!socket) return nullptr;
  auto connection = std::make_shared<Connection>(std::move(socket));
  const protocol::LoginRequest login{m_credentials.user, m_credentials.password};
  const auto loggedIn = Exchange(*connection, Request{Operation::Login, login.Encode()});
  if (!loggedIn || !ReplyFits(*loggedIn, Operation::Login)) return nullptr;
  if (m_setup) {
    for (const Request& request : m_setup()) {
      // A step the camera refuses now (a second login after its mode or password changed) leaves
      // the session as the camera allows it; only a camera that stops answering fails the connection.
      const auto reply = Exchange(*connection, request);
      if (!reply || reply->header.operation != request.operation) return nullptr;
    }
  }
  return connection;
}

std::optional<Frame> CameraLink::Exchange(Connection& connection, const Request& request) {
  const std::uint32_t sequence = ++connection.sequence;
  const auto bytes = protocol::EncodeFrame(FrameKind::Request, request.operation, sequence, Status::Ok,
                                           request.payload);
  if (!bytes || !connection.socket->SendAll(*bytes, m_timeouts.io)) return std::nullopt;
  return AwaitReply(*connection.socket, connection.decoder, sequence, m_timeouts.io, m_onEvent);
}

void CameraLink::Publish(std::shared_ptr<Connection> connection) {
  {
    std::lock_guard lock(m_mutex);
    if (m_stopping) {
      connection->socket->Shutdown();
      return;
    }
    connection->generation = ++m_generation;
    m_connection = std::move(connection);
  }
  m_changed.notify_all();
}

void CameraLink::Drop(std::uint64_t generation) {
  {
    std::lock_guard lock(m_mutex);
    if (!m_connection || m_connection->generation != generation) return;
    m_connection->socket->Shutdown();
    m_connection.reset();
  }
  m_changed.notify_all();
}

void CameraLink::Dispatch(Frame&& frame, std::uint64_t generation) {
  if (frame.header.kind == FrameKind::Event) {
    m_onEvent(std::move(frame));
    return;
  }
  {
    std::lock_guard lock(m_mutex);
    // A reply nobody waits for (a late one after a timeout) is dropped.
    if (!m_pending || m_pending->reply || m_pending->sequence != frame.header.sequence || !m_connection ||
        m_connection->generation != generation) {
      return;
    }
    m_pending->reply = std::move(frame);
  }
  m_changed.notify_all();
}

void CameraLink::WaitToReconnect(std::chrono::milliseconds backoff) {
  std::unique_lock lock(m_mutex);
  os::CurrentClock().WaitFor(m_changed, lock, backoff, [&] { return m_stopping || m_connection != nullptr; });
}

void CameraLink::ReadLoop() {
  std::vector<std::uint8_t> buffer(kReadChunkBytes);
  std::chrono::milliseconds backoff = m_timeouts.firstBackoff;
  for (;;) {
    std::shared_ptr<Connection> connection;
    {
      std::lock_guard lock(m_mutex);
      if (m_stopping) return;
      connection = m_connection;
    }
    if (!connection) {
      WaitToReconnect(backoff);
      if (!Connected() && !Reconnect()) backoff = std::min(backoff * 2, m_timeouts.maxBackoff);
      continue;
    }
    backoff = m_timeouts.firstBackoff;
    for (;;) {
      while (auto frame = connection->decoder.Next()) Dispatch(std::move(*frame), connection->generation);
      const long received = connection->socket->Receive(buffer);
      if (received <= 0) break;
      if (!connection->decoder.Feed({buffer.data(), static_cast<std::size_t>(received)})) break;
    }
    Drop(connection->generation);
  }
}

}  // namespace camera
