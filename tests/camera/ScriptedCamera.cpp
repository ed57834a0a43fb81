#include "ScriptedCamera.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace camera::test {

using protocol::Frame;
using protocol::FrameKind;
using protocol::Operation;
using protocol::Status;

Bytes ReplyFrame(const protocol::FrameHeader& request, Bytes payload, Status status) {
  return *protocol::EncodeFrame(FrameKind::Reply, request.operation, request.sequence, status, payload);
}

Bytes EventFrame(Operation operation, const Bytes& payload) {
  return *protocol::EncodeFrame(FrameKind::Event, operation, 0, Status::Ok, payload);
}

Answer Answer::Reply(const protocol::FrameHeader& request, Bytes payload, Status status) {
  return Answer{{ReplyFrame(request, std::move(payload), status)}, false};
}

ScriptedCamera::ScriptedCamera(Handler handler)
    : m_handler(std::move(handler)), m_loginAnswer([](const Frame& login) { return Answer::Reply(login.header); }) {
  m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(m_listener, 16);
  socklen_t length = sizeof address;
  ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
  m_port = ntohs(address.sin_port);
  m_acceptor = std::thread([this] { Accept(); });
}

ScriptedCamera::~ScriptedCamera() {
  m_stopping = true;
  ::shutdown(m_listener, SHUT_RDWR);
  m_acceptor.join();
  DropConnections();
  for (auto& thread : m_threads) thread.join();
  ::close(m_listener);
}

void ScriptedCamera::SetLoginAnswer(std::function<Answer(const Frame&)> answer) {
  std::lock_guard lock(m_mutex);
  m_loginAnswer = std::move(answer);
}

bool ScriptedCamera::Push(const Bytes& bytes) {
  std::lock_guard lock(m_mutex);
  if (m_open.empty()) return false;
  return ::send(m_open.back(), bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

void ScriptedCamera::DropConnections() {
  std::lock_guard lock(m_mutex);
  for (const int fd : m_open) ::shutdown(fd, SHUT_RDWR);
}

std::vector<protocol::FrameHeader> ScriptedCamera::Requests() const {
  std::lock_guard lock(m_mutex);
  return m_requests;
}

void ScriptedCamera::Accept() {
  for (;;) {
    pollfd pfd{m_listener, POLLIN, 0};
    if (::poll(&pfd, 1, 50) <= 0) {
      if (m_stopping) return;
      continue;
    }
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0 || m_stopping) {
      if (fd >= 0) ::close(fd);
      return;
    }
    ++m_connections;
    std::lock_guard lock(m_mutex);
    m_open.push_back(fd);
    m_threads.emplace_back([this, fd] { Serve(fd); });
  }
}

void ScriptedCamera::Serve(int fd) {
  protocol::FrameDecoder decoder(protocol::Receiver::Camera);
  std::uint8_t buffer[65536];
  bool open = true;
  while (open) {
    const ssize_t received = ::recv(fd, buffer, sizeof buffer, 0);
    if (received <= 0 || !decoder.Feed({buffer, static_cast<std::size_t>(received)})) break;
    while (auto request = decoder.Next()) {
      std::function<Answer(const Frame&)> login;
      {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request->header);
        login = m_loginAnswer;
      }
      const Answer answer = request->header.operation == Operation::Login ? login(*request) : m_handler(*request);
      for (const Bytes& chunk : answer.writes) ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
      if (answer.close) {
        open = false;
        break;
      }
    }
  }
  std::lock_guard lock(m_mutex);
  m_open.erase(std::find(m_open.begin(), m_open.end(), fd));
  ::close(fd);
}

}  // namespace camera::test
