#pragma once
// Makes a new connection of a link and logs it in, on the link's I/O thread without ever blocking it:
// connect, Login, then the requests that restore the session. Each step has its deadline (real
// time). It reports once: the connection, or null on any failure (or after Abort).

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <boost/asio/steady_timer.hpp>

#include "platform/camera/CameraAddress.h"
#include "platform/camera/Connection.h"
#include "platform/camera/LinkTypes.h"

namespace camera {

class Handshake : public std::enable_shared_from_this<Handshake> {
 public:
  // After the login: the requests that restore the session, or nullopt to give up.
  using SessionSetup = std::function<std::optional<std::vector<Request>>()>;
  using Done = std::function<void(std::shared_ptr<Connection> connection)>;

  struct Callbacks {
    EventHandler onEvent;  // events that arrive meanwhile
    SessionSetup setup;
    Done done;             // on the I/O thread
  };

  // Throws when no socket can be had.
  Handshake(const IoExecutor& executor, CameraAddress address, Request login, const LinkTimeouts& timeouts,
            Callbacks callbacks);

  // Both from any thread.
  void Start();
  void Abort();

 private:
  using Continuation = std::function<void(protocol::Frame&& reply)>;

  void Connect();
  void OnConnected();
  void RestoreSession();
  void NextRequest();
  void Exchange(const Request& request, Continuation then);
  void Send();
  void AwaitReply();
  void Arm(std::chrono::milliseconds timeout);
  void Finish(bool success);
  // A completion handler that continues with `step`, unless the handshake has finished meanwhile.
  template <typename Step>
  auto Then(Step step);

  IoExecutor m_executor;
  const CameraAddress m_address;
  const Request m_login;
  const LinkTimeouts m_timeouts;
  const Callbacks m_callbacks;
  std::shared_ptr<Connection> m_connection;
  boost::asio::steady_timer m_deadline;
  std::uint64_t m_armed = 0;  // counts deadlines: an expiry of an earlier one is stale
  bool m_finished = false;
  std::vector<Request> m_session;
  std::size_t m_next = 0;
  // The exchange under way.
  std::vector<std::uint8_t> m_outgoing;
  std::size_t m_sent = 0;
  std::uint32_t m_awaited = 0;
  Continuation m_then;
};

}  // namespace camera
