#include "platform/camera/CameraLink.h"

#include <algorithm>
#include <condition_variable>

#include <boost/asio/post.hpp>
#include <boost/system/system_error.hpp>

#include "platform/camera/ClockTimers.h"
#include "platform/camera/Connection.h"
#include "platform/camera/Handshake.h"
#include "platform/camera/ReplyReader.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/os/Clock.h"

namespace camera {

namespace asio = boost::asio;
using protocol::Frame;
using protocol::FrameKind;
using protocol::Operation;
using protocol::Status;

// What the link shares with the work under way on the I/O threads and the reconnect timer, so
// that a handler completing after the link is gone still finds it. Its handlers run on its I/O
// thread, one at a time.
struct CameraLink::State : std::enable_shared_from_this<State> {
  struct Pending {
    std::uint32_t sequence = 0;
    std::optional<Frame> reply;
  };

  State(LinkThreads threads, CameraAddress at, Credentials login, EventHandler events, SessionSetup session,
        LinkTimeouts limits)
      : executor(threads.io.get_executor()),
        timers(threads.timers),
        credentials(std::move(login)),
        onEvent(std::move(events)),
        setup(std::move(session)),
        timeouts(limits),
        address(std::move(at)),
        backoff(limits.firstBackoff) {}

  // Runs `work` (the event handler or the session setup) unless the link has stopped; Stop waits
  // until no such work runs.
  template <typename Work>
  void Admit(Work&& work);

  std::shared_ptr<Connection> AwaitConnection();
  bool StartAttempt();
  void OnAttemptDone(std::shared_ptr<Connection> made);
  void Read(const std::shared_ptr<Connection>& reading);
  void Dispatch(Frame&& frame, std::uint64_t from);
  void Lost(const std::shared_ptr<Connection>& lost);
  void Drop(std::uint64_t dropped);
  void ScheduleRetry();
  void Retry();
  void Stop();

  const IoExecutor executor;
  ClockTimers& timers;
  const Credentials credentials;
  const EventHandler onEvent;
  const SessionSetup setup;
  const LinkTimeouts timeouts;

  std::mutex mutex;  // everything below
  std::condition_variable changed;
  CameraAddress address;
  std::shared_ptr<Connection> connection;  // logged in, its session restored
  std::uint64_t generation = 0;
  std::optional<Pending> pending;
  std::shared_ptr<Handshake> attempt;  // the connection attempt under way
  bool started = false;                // once connected, it reconnects on its own
  bool stopping = false;
  ClockTimers::TaskId retry = 0;  // a reconnect waiting on the timers
  std::chrono::milliseconds backoff;
  int admitted = 0;
};

template <typename Work>
void CameraLink::State::Admit(Work&& work) {
  {
    std::lock_guard lock(mutex);
    if (stopping) return;
    ++admitted;
  }
  struct Leave {
    State& state;
    ~Leave() {
      std::lock_guard lock(state.mutex);
      if (--state.admitted == 0) state.changed.notify_all();
    }
  } leave{*this};
  work();
}

// The connection, after one attempt to make it when there is none (joining an attempt under way).
std::shared_ptr<Connection> CameraLink::State::AwaitConnection() {
  std::unique_lock lock(mutex);
  bool tried = false;
  for (;;) {
    if (stopping) return nullptr;
    if (connection) return connection;
    if (!attempt) {
      if (tried || !StartAttempt()) return nullptr;
      tried = true;
    }
    changed.wait(lock);
  }
}

// With the mutex held.
bool CameraLink::State::StartAttempt() {
  const std::weak_ptr<State> weak = weak_from_this();
  Handshake::Callbacks callbacks{
      [weak](Frame&& event) {
        if (const auto self = weak.lock()) self->Admit([&] { self->onEvent(std::move(event)); });
      },
      [weak]() {
        std::optional<std::vector<Request>> requests;
        if (const auto self = weak.lock()) {
          self->Admit([&] { requests = self->setup ? self->setup() : std::vector<Request>{}; });
        }
        return requests;
      },
      [weak](std::shared_ptr<Connection> made) {
        if (const auto self = weak.lock()) return self->OnAttemptDone(std::move(made));
        if (made) made->Shutdown();
      }};
  const protocol::LoginRequest login{credentials.user, credentials.password};
  try {
    attempt = std::make_shared<Handshake>(executor, address, Request{Operation::Login, login.Encode()}, timeouts,
                                          std::move(callbacks));
  } catch (const boost::system::system_error&) {
    return false;  // no socket to be had now
  }
  attempt->Start();
  return true;
}

void CameraLink::State::OnAttemptDone(std::shared_ptr<Connection> made) {
  bool published = false;
  {
    std::lock_guard lock(mutex);
    attempt.reset();
    if (made && !stopping) {
      made->SetGeneration(++generation);
      connection = made;
      started = true;
      backoff = timeouts.firstBackoff;
      published = true;
    } else if (!made && started && !stopping) {
      ScheduleRetry();
    }
  }
  changed.notify_all();
  if (published) {
    Read(made);
  } else if (made) {
    made->Shutdown();
  }
}

void CameraLink::State::Read(const std::shared_ptr<Connection>& reading) {
  const std::uint64_t from = reading->Generation();
  const auto intake = reading->Take([&](Frame&& frame) {
    Dispatch(std::move(frame), from);
    return true;
  });
  if (intake == Connection::Intake::Closed) return Lost(reading);
  if (intake == Connection::Intake::More) {
    asio::post(executor, [self = shared_from_this(), reading] { self->Read(reading); });
    return;
  }
  reading->Socket().async_wait(asio::ip::tcp::socket::wait_read,
                               [self = shared_from_this(), reading](const boost::system::error_code& ec) {
                                 if (ec) return self->Lost(reading);
                                 self->Read(reading);
                               });
}

void CameraLink::State::Dispatch(Frame&& frame, std::uint64_t from) {
  if (frame.header.kind == FrameKind::Event) {
    Admit([&] { onEvent(std::move(frame)); });
    return;
  }
  {
    std::lock_guard lock(mutex);
    // A reply nobody waits for (a late one after a timeout) is dropped.
    if (!pending || pending->reply || pending->sequence != frame.header.sequence || !connection ||
        connection->Generation() != from) {
      return;
    }
    pending->reply = std::move(frame);
  }
  changed.notify_all();
}

void CameraLink::State::Lost(const std::shared_ptr<Connection>& lost) {
  Drop(lost->Generation());
  std::lock_guard lock(mutex);
  if (started && !stopping && !connection && !attempt) ScheduleRetry();
}

void CameraLink::State::Drop(std::uint64_t dropped) {
  {
    std::lock_guard lock(mutex);
    if (!connection || connection->Generation() != dropped) return;
    connection->Shutdown();
    connection.reset();
  }
  changed.notify_all();
}

// With the mutex held. The wait doubles with each failed attempt, up to its maximum.
void CameraLink::State::ScheduleRetry() {
  if (retry != 0) return;
  const auto delay = backoff;
  backoff = std::min(backoff * 2, timeouts.maxBackoff);
  retry = timers.After(delay, [weak = weak_from_this()] {
    if (const auto self = weak.lock()) self->Retry();
  });
}

void CameraLink::State::Retry() {
  std::lock_guard lock(mutex);
  retry = 0;
  if (stopping || connection || attempt) return;
  if (!StartAttempt()) ScheduleRetry();
}

void CameraLink::State::Stop() {
  std::shared_ptr<Connection> closing;
  std::shared_ptr<Handshake> aborting;
  ClockTimers::TaskId cancelled = 0;
  {
    std::unique_lock lock(mutex);
    stopping = true;
    closing.swap(connection);
    aborting = attempt;
    std::swap(cancelled, retry);
    changed.notify_all();
    changed.wait(lock, [&] { return admitted == 0; });
  }
  if (closing) closing->Shutdown();
  if (aborting) aborting->Abort();
  // A closed handle leaves nothing waiting on the clock (a test may put its clock away next).
  if (cancelled != 0) timers.Cancel(cancelled);
}

CameraLink::CameraLink(LinkThreads threads, CameraAddress address, Credentials credentials, EventHandler onEvent,
                       SessionSetup setup, LinkTimeouts timeouts)
    : m_state(std::make_shared<State>(threads, std::move(address), std::move(credentials), std::move(onEvent),
                                      std::move(setup), timeouts)) {}

CameraLink::~CameraLink() { Stop(); }

bool CameraLink::Start() { return m_state->AwaitConnection() != nullptr; }

void CameraLink::Stop() { m_state->Stop(); }

void CameraLink::MoveTo(CameraAddress address) {
  std::uint64_t stale = 0;
  {
    std::lock_guard lock(m_state->mutex);
    if (address.ip == m_state->address.ip && address.port == m_state->address.port) return;
    m_state->address = std::move(address);
    if (m_state->connection) stale = m_state->connection->Generation();
  }
  if (stale != 0) m_state->Drop(stale);
}

bool CameraLink::Connected() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->connection != nullptr;
}

std::optional<std::vector<std::uint8_t>> CameraLink::Call(Operation operation, std::span<const std::uint8_t> payload) {
  std::lock_guard callLock(m_callMutex);
  State& state = *m_state;
  const std::shared_ptr<Connection> connection = state.AwaitConnection();
  if (!connection) return std::nullopt;
  const std::uint32_t sequence = connection->NextSequence();
  const auto bytes = protocol::EncodeFrame(FrameKind::Request, operation, sequence, Status::Ok, payload);
  if (!bytes) return std::nullopt;
  {
    std::lock_guard lock(state.mutex);
    state.pending = State::Pending{sequence, std::nullopt};
  }
  // Sent from this thread: the reply comes back through the I/O threads.
  if (!connection->SendAll(*bytes, state.timeouts.io)) {
    {
      std::lock_guard lock(state.mutex);
      state.pending.reset();
    }
    state.Drop(connection->Generation());
    return std::nullopt;
  }
  std::unique_lock lock(state.mutex);
  os::CurrentClock().WaitFor(state.changed, lock, state.timeouts.reply, [&] {
    return state.stopping || state.pending->reply.has_value() || state.connection != connection;
  });
  std::optional<Frame> reply = std::move(state.pending->reply);
  state.pending.reset();
  lock.unlock();
  if (!reply || !ReplyFits(*reply, operation)) return std::nullopt;
  return std::move(reply->payload);
}

}  // namespace camera
