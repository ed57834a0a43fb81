#include "platform/camera/DeviceSearch.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/camera/SearchTargets.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "platform/os/Clock.h"

namespace camera {
namespace {

constexpr os::Milliseconds kProbeInterval{1000};
// Real time between checks of the stop flag while waiting for answers.
constexpr int kPollSliceMs = 50;

using ReportKey = std::tuple<std::uint32_t, std::uint32_t, std::string, std::uint16_t>;

std::uint32_t NewSearchId() {
  std::random_device random;
  return random() | 1u;
}

}  // namespace

struct DeviceSearch::State {
  State(int descriptor, SearchCallback cb)
      : fd(descriptor), callback(cb), searchId(NewSearchId()), targets(SearchTargets()) {}
  ~State() { ::close(fd); }

  const int fd;
  const SearchCallback callback;
  const std::uint32_t searchId;
  const std::vector<sockaddr_in> targets;
  std::atomic<bool> stopping{false};
  std::set<ReportKey> reported;  // the search thread's own
};

DeviceSearch::DeviceSearch(std::shared_ptr<State> state) : m_state(std::move(state)) {}

DeviceSearch::~DeviceSearch() { Stop(); }

std::unique_ptr<DeviceSearch> DeviceSearch::Start(SearchCallback callback) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return nullptr;
  auto state = std::make_shared<State>(fd, callback);
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  sockaddr_in any{};
  any.sin_family = AF_INET;
  any.sin_addr.s_addr = htonl(INADDR_ANY);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) return nullptr;
  std::unique_ptr<DeviceSearch> search(new DeviceSearch(state));
  search->m_thread = std::thread([state] { Run(state); });
  return search;
}

void DeviceSearch::Stop() {
  m_state->stopping = true;
  if (!m_thread.joinable()) return;
  if (m_thread.get_id() == std::this_thread::get_id()) {
    m_thread.detach();
  } else {
    m_thread.join();
  }
}

namespace {

void SendProbes(int fd, std::uint32_t searchId, const std::vector<sockaddr_in>& targets) {
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

}  // namespace

void DeviceSearch::Run(const std::shared_ptr<State>& state) {
  auto& clock = os::CurrentClock();
  auto nextProbe = clock.Now();
  std::uint8_t datagram[512];
  while (!state->stopping) {
    if (clock.Now() >= nextProbe) {
      SendProbes(state->fd, state->searchId, state->targets);
      nextProbe = clock.Now() + kProbeInterval;
    }
    pollfd pfd{state->fd, POLLIN, 0};
    if (::poll(&pfd, 1, kPollSliceMs) <= 0) continue;
    for (;;) {
      const ssize_t received = ::recv(state->fd, datagram, sizeof datagram, 0);
      if (received < 0) break;
      const auto answer = protocol::SearchAnswer::Decode({datagram, static_cast<std::size_t>(received)});
      if (!answer || answer->searchId != state->searchId || answer->ip.empty()) continue;
      if (!state->reported.emplace(answer->idLow, answer->idHigh, answer->ip, answer->port).second) continue;
      if (state->stopping) return;
      Report(state->callback, *answer);
    }
  }
}

}  // namespace camera
