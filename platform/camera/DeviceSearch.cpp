#include "platform/camera/DeviceSearch.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/camera/ProbeSchedule.h"
#include "platform/camera/SearchTargets.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "platform/os/Clock.h"

namespace camera {
namespace {

// Room for a thousand answers queued at once: the kernel charges each small datagram about 800
// bytes of receive buffer on loopback (more on some drivers), and doubles what it is asked for.
constexpr int kReceiveBufferBytes = 1 << 20;
// Real time between checks of the probe schedule while no answer comes (its clock may be virtual).
constexpr os::Milliseconds kPollSlice{50};
// Answers read in one go before the schedule is looked at again.
constexpr int kDrainBatch = 256;

using ReportKey = std::tuple<std::uint32_t, std::uint32_t, std::string, std::uint16_t>;

std::uint32_t NewSearchId() {
  std::random_device random;
  return random() | 1u;
}

// SO_RCVBUF is capped at net.core.rmem_max; where that is lower, SO_RCVBUFFORCE passes the cap if
// this process may (CAP_NET_ADMIN). Without either, the socket keeps what it got: answers are read
// as fast as they come, and a target whose answer was dropped all the same is probed again soon.
void SizeReceiveBuffer(int fd) {
  const int wanted = kReceiveBufferBytes;
  ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &wanted, sizeof wanted);
  int granted = 0;
  socklen_t size = sizeof granted;
  if (::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &granted, &size) == 0 && granted >= 2 * wanted) return;
  ::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &wanted, sizeof wanted);
}

int OpenSocket() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  SizeReceiveBuffer(fd);
  sockaddr_in any{};
  any.sin_family = AF_INET;
  any.sin_addr.s_addr = htonl(INADDR_ANY);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void SendProbes(int fd, std::uint32_t searchId, const std::vector<sockaddr_in>& targets) {
  if (targets.empty()) return;
  const auto probe = protocol::SearchProbe{searchId}.Encode();
  for (const sockaddr_in& target : targets) {
    ::sendto(fd, probe.data(), probe.size(), 0, reinterpret_cast<const sockaddr*>(&target), sizeof target);
  }
}

void Report(const SearchCallback& callback, const protocol::SearchAnswer& answer) {
  if (callback.extended != nullptr) {
    callback.extended(0, answer.ip.c_str(), answer.port, answer.value, answer.idLow, answer.idHigh,
                      answer.netmask.c_str(), answer.gateway.c_str(), callback.user);
  } else if (callback.plain != nullptr) {
    callback.plain(0, answer.ip.c_str(), answer.port, answer.value, answer.idLow, answer.idHigh, callback.user);
  }
}

// Milliseconds of real time to wait for answers before the next probe falls due.
int PollTimeout(ProbeSchedule::Time untilNextProbe) {
  return static_cast<int>(std::clamp<ProbeSchedule::Time>(untilNextProbe, ProbeSchedule::Time{0}, kPollSlice).count());
}

}  // namespace

struct DeviceSearch::State {
  State(int socket, int wakeDescriptor, SearchCallback cb)
      : fd(socket), wake(wakeDescriptor), callback(cb), searchId(NewSearchId()), targets(SearchTargets()) {}
  ~State() {
    ::close(fd);
    ::close(wake);
  }

  const int fd;
  const int wake;  // an eventfd, written by Stop to end the listener's wait
  const SearchCallback callback;
  const std::uint32_t searchId;
  const std::vector<sockaddr_in> targets;
  std::atomic<bool> stopping{false};

  // New cameras, from the listener to the reporter.
  std::mutex mutex;
  std::condition_variable queued;
  std::deque<protocol::SearchAnswer> answers;
};

DeviceSearch::DeviceSearch(std::shared_ptr<State> state) : m_state(std::move(state)) {}

DeviceSearch::~DeviceSearch() { Stop(); }

std::unique_ptr<DeviceSearch> DeviceSearch::Start(SearchCallback callback) {
  const int fd = OpenSocket();
  if (fd < 0) return nullptr;
  const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake < 0) {
    ::close(fd);
    return nullptr;
  }
  auto state = std::make_shared<State>(fd, wake, callback);
  std::unique_ptr<DeviceSearch> search(new DeviceSearch(state));
  search->m_reporter = std::thread([state] { Deliver(state); });
  search->m_listener = std::thread([state] { Listen(state); });
  return search;
}

void DeviceSearch::Stop() {
  {
    std::lock_guard lock(m_state->mutex);
    m_state->stopping = true;
  }
  m_state->queued.notify_all();
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(m_state->wake, &one, sizeof one);
  if (m_listener.joinable()) m_listener.join();
  if (!m_reporter.joinable()) return;
  if (m_reporter.get_id() == std::this_thread::get_id()) {
    m_reporter.detach();
  } else {
    m_reporter.join();
  }
}

namespace {

// Reads every answer waiting (up to a batch) and queues the cameras not reported yet.
void DrainAnswers(int fd, std::uint32_t searchId, ProbeSchedule& schedule, std::set<ReportKey>& reported,
                  std::vector<protocol::SearchAnswer>& found) {
  std::uint8_t datagram[512];
  for (int i = 0; i < kDrainBatch; ++i) {
    sockaddr_in sender{};
    socklen_t senderSize = sizeof sender;
    const ssize_t received =
        ::recvfrom(fd, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&sender), &senderSize);
    if (received < 0) return;
    auto answer = protocol::SearchAnswer::Decode({datagram, static_cast<std::size_t>(received)});
    if (!answer || answer->searchId != searchId || answer->ip.empty()) continue;
    schedule.Answered(sender);
    if (!reported.emplace(answer->idLow, answer->idHigh, answer->ip, answer->port).second) continue;
    found.push_back(std::move(*answer));
  }
}

}  // namespace

void DeviceSearch::Listen(const std::shared_ptr<State>& state) {
  auto& clock = os::CurrentClock();
  ProbeSchedule schedule(state->targets, clock.Now());
  std::set<ReportKey> reported;
  std::vector<protocol::SearchAnswer> found;
  while (!state->stopping) {
    SendProbes(state->fd, state->searchId, schedule.TakeDue(clock.Now()));
    pollfd waits[2] = {{state->fd, POLLIN, 0}, {state->wake, POLLIN, 0}};
    if (::poll(waits, 2, PollTimeout(schedule.NextDue() - clock.Now())) <= 0) continue;
    if ((waits[0].revents & POLLIN) == 0) continue;
    DrainAnswers(state->fd, state->searchId, schedule, reported, found);
    if (found.empty()) continue;
    {
      std::lock_guard lock(state->mutex);
      std::move(found.begin(), found.end(), std::back_inserter(state->answers));
    }
    found.clear();
    state->queued.notify_one();
  }
}

void DeviceSearch::Deliver(const std::shared_ptr<State>& state) {
  std::unique_lock lock(state->mutex);
  for (;;) {
    state->queued.wait(lock, [&] { return state->stopping || !state->answers.empty(); });
    if (state->stopping) return;
    const protocol::SearchAnswer answer = std::move(state->answers.front());
    state->answers.pop_front();
    lock.unlock();
    if (!state->stopping) Report(state->callback, answer);
    lock.lock();
  }
}

}  // namespace camera
