// A search of 1000 simulated cameras (250 loopback addresses of four ports each, in this process):
// the library's search from start until every camera is reported, beside one probe round sent to
// the same cameras from a socket with a 4 MiB receive buffer. Rounds alternate, five of each; the
// case prints the medians, the slowest search and the ratio of the medians.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bench/support/BenchProcess.h"
#include "cameraclient/CameraClient.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "sim/Simulator.h"

namespace {

using bench::AllowOpenFiles;
using bench::LoopbackPrefix;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kCameras = 1000;
constexpr std::uint16_t kPortsPerAddress = 4;
constexpr int kRounds = 5;
constexpr auto kGiveUp = std::chrono::seconds(10);
constexpr int kReferenceBuffer = 4 << 20;

struct Found {
  std::mutex mutex;
  std::condition_variable changed;
  std::set<std::pair<std::string, int>> cameras;
};

int OnFound(int, const char* ip, int port, int, uint32_t, uint32_t, const char*, const char*, void* user) {
  auto* found = static_cast<Found*>(user);
  {
    std::lock_guard lock(found->mutex);
    found->cameras.emplace(ip, port);
  }
  found->changed.notify_all();
  return 0;
}

// Seconds from the start of a search until every camera was reported; nullopt when some were not.
std::optional<double> LibrarySearch() {
  Found found;
  const auto start = Clock::now();
  if (CameraClient_StartFindDeviceEx(OnFound, &found) != 0) return std::nullopt;
  std::unique_lock lock(found.mutex);
  const bool all = found.changed.wait_until(lock, start + kGiveUp, [&] { return found.cameras.size() >= kCameras; });
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  lock.unlock();
  CameraClient_StopFindDevice();
  if (!all) return std::nullopt;
  return seconds;
}

// The socket of the reference round, with the larger of 4 MiB and what the kernel grants.
int ReferenceSocket(int& granted) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  const int half = kReferenceBuffer / 2;  // the kernel doubles what it is asked for
  if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &half, sizeof half) != 0) {
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &half, sizeof half);
  }
  socklen_t size = sizeof granted;
  ::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &granted, &size);
  sockaddr_in any{};
  any.sin_family = AF_INET;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// One probe to every camera from one socket, then its answers read until all are in.
std::optional<double> ProbeRound(const std::vector<sockaddr_in>& targets, std::uint32_t searchId, int& granted) {
  const int fd = ReferenceSocket(granted);
  if (fd < 0) return std::nullopt;
  const auto probe = camera::protocol::SearchProbe{searchId}.Encode();
  std::set<std::pair<std::uint32_t, std::uint32_t>> answered;
  const auto start = Clock::now();
  for (const sockaddr_in& target : targets) {
    ::sendto(fd, probe.data(), probe.size(), 0, reinterpret_cast<const sockaddr*>(&target), sizeof target);
  }
  std::uint8_t datagram[512];
  while (answered.size() < kCameras && Clock::now() - start < kGiveUp) {
    pollfd wait{fd, POLLIN, 0};
    if (::poll(&wait, 1, 100) <= 0) continue;
    for (ssize_t size; (size = ::recv(fd, datagram, sizeof datagram, 0)) > 0;) {
      const auto answer = camera::protocol::SearchAnswer::Decode({datagram, static_cast<std::size_t>(size)});
      if (answer && answer->searchId == searchId) answered.emplace(answer->idLow, answer->idHigh);
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  ::close(fd);
  if (answered.size() < kCameras) return std::nullopt;
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void SearchThousandCameras(benchmark::State& state) {
  // Each camera holds a listening and a search socket.
  if (!AllowOpenFiles(4 * kCameras)) return state.SkipWithError("too few file descriptors allowed");
  camsim::SimulatorOptions options;
  options.multicastGroup.clear();
  options.ioThreads = 4;
  camsim::Simulator simulator(options);
  const std::size_t perPort = kCameras / kPortsPerAddress;
  for (std::uint16_t port = 8080; port < 8080 + kPortsPerAddress; ++port) {
    std::string error;
    if (!simulator.AddCameras(perPort, LoopbackPrefix() + "1", port, {}, &error)) {
      return state.SkipWithError(("cameras not started: " + error).c_str());
    }
  }
  const std::string targets = simulator.SearchTargets();
  ::setenv("CAMERACLIENT_SEARCH_TARGETS", targets.c_str(), 1);
  ::setenv("LPR_LOCAL_ADDRESSES", "127.0.0.1", 1);
  std::vector<sockaddr_in> addresses(simulator.Count());
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    addresses[i].sin_family = AF_INET;
    addresses[i].sin_port = htons(simulator.Camera(i).Port());
    ::inet_pton(AF_INET, simulator.Camera(i).Ip().c_str(), &addresses[i].sin_addr);
  }
  CameraClient_Setup();

  std::vector<double> searches;
  std::vector<double> rounds;
  int granted = 0;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      const auto reference = ProbeRound(addresses, 0x5EA2C000u + static_cast<std::uint32_t>(round) * 2 + 1, granted);
      const auto search = LibrarySearch();
      if (!reference || !search) {
        state.SkipWithError(!search ? "the search missed cameras" : "the probe round missed answers");
        break;
      }
      rounds.push_back(*reference);
      searches.push_back(*search);
    }
    if (searches.size() != static_cast<std::size_t>(kRounds)) break;
    state.SetIterationTime(Median(searches));
  }
  CameraClient_Cleanup();
  simulator.Stop();
  if (searches.empty() || rounds.empty()) return;
  state.counters["search_median_ms"] = Median(searches) * 1e3;
  state.counters["search_max_ms"] = *std::max_element(searches.begin(), searches.end()) * 1e3;
  state.counters["probe_round_median_ms"] = Median(rounds) * 1e3;
  state.counters["ratio"] = Median(searches) / Median(rounds);
  state.counters["probe_round_buffer_KiB"] = granted / 1024.0;
}
BENCHMARK(SearchThousandCameras)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
