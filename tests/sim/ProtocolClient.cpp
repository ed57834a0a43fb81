#include "ProtocolClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "platform/camera/protocol/SessionMessages.h"
#include "tests/support/LoopbackBlock.h"

namespace camsim::test {

using camera::protocol::Frame;
using camera::protocol::FrameKind;
using camera::protocol::Operation;
using camera::protocol::Status;

namespace {

int ConnectSocket(const std::string& ip, std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (::inet_pton(AF_INET, ip.c_str(), &address.sin_addr) != 1 ||
      ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool SendAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

int MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

}  // namespace

ProtocolClient::~ProtocolClient() { Disconnect(); }

bool ProtocolClient::Connect(const std::string& ip, std::uint16_t port) {
  Disconnect();
  m_fd = ConnectSocket(ip, port);
  m_decoder = camera::protocol::FrameDecoder(camera::protocol::Receiver::Library);
  m_sequence = 0;
  m_events.clear();
  return m_fd >= 0;
}

bool ProtocolClient::Open(const std::string& ip, std::uint16_t port, const std::string& user,
                          const std::string& password) {
  if (!Connect(ip, port)) return false;
  const auto answer = Call(Operation::Login, camera::protocol::LoginRequest{user, password}.Encode());
  return answer && answer->status == Status::Ok;
}

void ProtocolClient::Disconnect() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

bool ProtocolClient::SendRaw(std::span<const std::uint8_t> bytes) { return m_fd >= 0 && SendAll(m_fd, bytes); }

std::uint32_t ProtocolClient::Send(Operation operation, const Bytes& payload) {
  const std::uint32_t sequence = ++m_sequence;
  const auto frame = camera::protocol::EncodeFrame(FrameKind::Request, operation, sequence, Status::Ok, payload);
  if (frame) SendRaw(*frame);
  return sequence;
}

std::optional<Frame> ProtocolClient::ReadFrame(std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    if (auto frame = m_decoder.Next()) return frame;
    if (m_fd < 0 || m_decoder.Broken()) return std::nullopt;
    pollfd wait{m_fd, POLLIN, 0};
    if (::poll(&wait, 1, MillisecondsLeft(deadline)) <= 0) return std::nullopt;
    std::uint8_t buffer[64 * 1024];
    const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (n <= 0) {
      Disconnect();
      return std::nullopt;
    }
    m_decoder.Feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
  }
}

std::optional<Answer> ProtocolClient::Receive(std::uint32_t sequence, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (auto frame = ReadFrame(deadline)) {
    if (frame->header.kind == FrameKind::Event) {
      m_events.push_back(std::move(*frame));
      continue;
    }
    if (frame->header.sequence == sequence) return Answer{frame->header.status, std::move(frame->payload)};
  }
  return std::nullopt;
}

std::optional<Answer> ProtocolClient::Call(Operation operation, const Bytes& payload, std::chrono::milliseconds timeout) {
  if (m_fd < 0) return std::nullopt;
  return Receive(Send(operation, payload), timeout);
}

Status ProtocolClient::StatusOf(Operation operation, const Bytes& payload) {
  const auto answer = Call(operation, payload);
  return answer ? answer->status : Status::Failed;
}

std::optional<Frame> ProtocolClient::WaitEvent(Operation operation, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    for (auto it = m_events.begin(); it != m_events.end(); ++it) {
      if (it->header.operation != operation) continue;
      Frame frame = std::move(*it);
      m_events.erase(it);
      return frame;
    }
    auto frame = ReadFrame(deadline);
    if (!frame) return std::nullopt;
    if (frame->header.kind == FrameKind::Event) m_events.push_back(std::move(*frame));
  }
}

bool ProtocolClient::WaitClosed(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (m_fd >= 0) {
    if (!ReadFrame(deadline) && m_fd >= 0 && std::chrono::steady_clock::now() >= deadline) return false;
  }
  return true;
}

bool CanConnect(const std::string& ip, std::uint16_t port) {
  const int fd = ConnectSocket(ip, port);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

HttpResult HttpGet(const std::string& ip, std::uint16_t port, const std::string& target, const std::string& cookie) {
  HttpResult result;
  const int fd = ConnectSocket(ip, port);
  if (fd < 0) return result;
  std::string request = "GET " + target + " HTTP/1.1\r\nHost: " + ip + "\r\nConnection: close\r\n";
  if (!cookie.empty()) request += "Cookie: " + cookie + "\r\n";
  request += "\r\n";
  std::string response;
  if (SendAll(fd, {reinterpret_cast<const std::uint8_t*>(request.data()), request.size()})) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    char buffer[4096];
    for (;;) {
      pollfd wait{fd, POLLIN, 0};
      if (::poll(&wait, 1, MillisecondsLeft(deadline)) <= 0) break;
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      response.append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  const std::size_t headerEnd = response.find("\r\n\r\n");
  if (response.rfind("HTTP/1.1 ", 0) != 0 || headerEnd == std::string::npos) return result;
  result.status = std::atoi(response.c_str() + 9);
  result.headers = response.substr(0, headerEnd);
  result.body = response.substr(headerEnd + 4);
  return result;
}

std::string ProcessAddressPrefix() { return lpr::test::ProcessLoopbackPrefix(); }

}  // namespace camsim::test
