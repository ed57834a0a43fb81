// The simulator's own costs: memory per camera (resident set with many cameras, idle and with one
// logged-in connection each), and the whitelist store's import and paging rates at 100 000 records.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/camera/protocol/Frame.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "sim/GbkText.h"
#include "sim/Simulator.h"
#include "sim/WhitelistStore.h"

namespace {

double ResidentKiB() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024.0;
}

// Connects and logs in; the socket, or -1.
int LoggedInConnection(const std::string& ip, std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  ::inet_pton(AF_INET, ip.c_str(), &address.sin_addr);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  const auto login = camera::protocol::EncodeFrame(camera::protocol::FrameKind::Request, camera::protocol::Operation::Login,
                                                   1, camera::protocol::Status::Ok,
                                                   camera::protocol::LoginRequest{"qorvt", "qorvt"}.Encode());
  std::uint8_t reply[camera::protocol::kFrameHeaderBytes];
  if (::send(fd, login->data(), login->size(), MSG_NOSIGNAL) != static_cast<ssize_t>(login->size()) ||
      ::recv(fd, reply, sizeof reply, MSG_WAITALL) < static_cast<ssize_t>(camera::protocol::kFrameHeaderBytes)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void BM_MemoryPerCamera(benchmark::State& state) {
  const auto cameras = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    const double before = ResidentKiB();
    camsim::SimulatorOptions options;
    options.multicastGroup.clear();
    camsim::Simulator simulator(options);
    std::string error;
    if (!simulator.AddCameras(cameras, "127.0.30.1", 18190, {}, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    const double started = ResidentKiB();
    std::vector<int> connections;
    for (std::size_t i = 0; i < cameras; ++i) {
      connections.push_back(LoggedInConnection(simulator.Camera(i).Ip(), simulator.Camera(i).Port()));
    }
    const double connected = ResidentKiB();
    state.counters["KiB_per_camera"] = (started - before) / static_cast<double>(cameras);
    state.counters["KiB_per_connected_camera"] = (connected - before) / static_cast<double>(cameras);
    state.counters["failed_logins"] = static_cast<double>(std::count(connections.begin(), connections.end(), -1));
    for (const int fd : connections) {
      if (fd >= 0) ::close(fd);
    }
  }
}
BENCHMARK(BM_MemoryPerCamera)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

std::vector<CameraClientWhiteListRecord> Batch(int first, int count) {
  std::vector<CameraClientWhiteListRecord> batch(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    char plate[16];
    std::snprintf(plate, sizeof plate, "A%06d", first + i);
    camsim::SetFieldText(batch[static_cast<std::size_t>(i)].plate, plate);
  }
  return batch;
}

void BM_WhitelistImport(benchmark::State& state) {
  constexpr int kRecords = 100'000;
  constexpr int kBatch = 300;
  for (auto _ : state) {
    camsim::WhitelistStore store;
    for (int first = 0; first < kRecords; first += kBatch) {
      state.PauseTiming();
      const auto batch = Batch(first, std::min(kBatch, kRecords - first));
      state.ResumeTiming();
      store.Import(batch);
    }
    benchmark::DoNotOptimize(store.Size());
  }
  state.counters["records_per_s"] = benchmark::Counter(static_cast<double>(kRecords) * static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WhitelistImport)->Unit(benchmark::kMillisecond);

void BM_WhitelistPage(benchmark::State& state) {
  constexpr int kRecords = 100'000;
  camsim::WhitelistStore store;
  for (int first = 0; first < kRecords; first += 300) store.Import(Batch(first, 300));
  const std::string filter = state.range(0) != 0 ? "A0" : "";
  for (auto _ : state) {
    std::size_t rows = 0;
    for (std::size_t first = 0;; first += 200) {
      const auto page = store.Page(filter, first, 200);
      if (page.empty()) break;
      rows += page.size();
    }
    benchmark::DoNotOptimize(rows);
  }
  state.counters["records_per_s"] = benchmark::Counter(
      static_cast<double>(store.Count(filter)) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WhitelistPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
