// Many cameras and many threads: a search finds all of 1000 simulated cameras, 1000 handles are
// open at once on a few library threads and each reads its whole configuration (200 also from
// lpr-camsim), calls on one handle from two threads are serialised, and a slow handle holds up no
// other.

#include "cameraclient/CameraClient.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "CamsimProgram.h"
#include "Eventually.h"
#include "SimCameras.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kCameras = 200;

struct Found {
  std::mutex mutex;
  std::vector<std::string> reports;
  std::size_t Size() {
    std::lock_guard lock(mutex);
    return reports.size();
  }
};

int OnFound(int, const char* ip, int port, int, uint32_t idLow, uint32_t idHigh, const char*, const char*, void* user) {
  auto* found = static_cast<Found*>(user);
  std::lock_guard lock(found->mutex);
  found->reports.push_back(std::string(ip) + ":" + std::to_string(port) + "/" + std::to_string(idLow) + "/" +
                           std::to_string(idHigh));
  return 0;
}

class ContractScaleTest : public testing::Test {
 protected:
  ContractScaleTest() : m_sim(Options()) {}
  static SimCameras::Options Options() {
    SimCameras::Options options;
    options.ioThreads = 4;
    return options;
  }
  void SetUp() override {
    const char* targets = std::getenv("CAMERACLIENT_SEARCH_TARGETS");
    m_savedTargets = targets != nullptr ? targets : "";
  }
  void TearDown() override { ::setenv("CAMERACLIENT_SEARCH_TARGETS", m_savedTargets.c_str(), 1); }

  SimCameras m_sim;
  std::string m_savedTargets;
};

// Each camera holds a listening and a search socket: more descriptors than the usual soft limit.
bool AllowOpenFiles(rlim_t wanted) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
  if (limit.rlim_cur >= wanted) return true;
  if (limit.rlim_max < wanted) return false;
  limit.rlim_cur = wanted;
  return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

// Datagrams the kernel dropped for want of room at this process's UDP sockets bound to the wildcard
// address: the library's search socket (the cameras are bound to their own addresses).
std::uint64_t DropsAtWildcardSockets() {
  std::set<std::string> ownSockets;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
    if (!error && target.starts_with("socket:[")) ownSockets.insert(target.substr(8, target.size() - 9));
  }
  std::ifstream table("/proc/net/udp");
  std::string line;
  std::getline(table, line);  // the heading
  std::uint64_t drops = 0;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::vector<std::string> field{std::istream_iterator<std::string>(fields), std::istream_iterator<std::string>()};
    // sl local rem st queues timer retransmits uid timeout inode ref pointer drops
    if (field.size() < 13 || !field[1].starts_with("00000000:") || ownSockets.count(field[9]) == 0) continue;
    drops += std::stoull(field[12]);
  }
  return drops;
}

// A thousand answers arrive at once, more than a socket's default receive buffer holds: none is
// lost, so one search finds every camera, each once.
TEST_F(ContractScaleTest, ASearchFindsAThousandCamerasOnce) {
  constexpr std::size_t kSearched = 1000;
  if (!AllowOpenFiles(4 * kSearched)) GTEST_SKIP() << "too few file descriptors allowed";
  ASSERT_TRUE(m_sim.AddSharingAddresses(kSearched, 4));
  ::setenv("CAMERACLIENT_SEARCH_TARGETS", m_sim.Simulator().SearchTargets().c_str(), 1);
  Found found;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFound, &found), 0);
  ASSERT_TRUE(Eventually([&] { return found.Size() >= kSearched; }, 30s)) << found.Size() << " found";
  std::this_thread::sleep_for(1500ms);  // a further round of probes reports nobody again
  EXPECT_EQ(DropsAtWildcardSockets(), 0u);
  CameraClient_StopFindDevice();
  std::lock_guard lock(found.mutex);
  EXPECT_EQ(found.reports.size(), kSearched);
  EXPECT_EQ(std::set<std::string>(found.reports.begin(), found.reports.end()).size(), kSearched);
}

// What the configuration export reads of one camera; false at the first call that fails, or when
// the camera reports another address than `ip`:`port`.
bool ReadWholeConfiguration(CameraClientHandle handle, const std::string& ip, std::uint16_t port) {
  CameraClientNetParam net{};
  CameraClientProvinceInfo province{};
  CameraClientOsdParam osd{};
  CameraClientIoOutput output{};
  CameraClientDrawMode draw{};
  CameraClientSerialParam serial[2] = {};
  CameraClientSerialPush push{};
  CameraClientVirtualLoops loops{};
  CameraClientRegion region{};
  char server[17] = {};
  char realShow[8] = {};
  std::uint8_t ntpEnable = 0, fuzzyChinese = 0;
  int ntpInterval = 0, value = 0, second = 0, b = 0, c = 0, h = 0, fuzzyLength = 0, type = 0, extra = 0;
  int versions[4] = {};
  std::uint32_t bits = 0;
  const bool read =
      CameraClient_GetHardwareType(handle, &type) == 0 && CameraClient_GetModelId(handle, &value, &extra) == 0 &&
      CameraClient_GetFirmwareVersion(handle, &versions[0], &versions[1], &versions[2], &versions[3]) == 0 &&
      CameraClient_GetNetParam(handle, &net) == 0 && CameraClient_GetProvinceInfo(handle, &province) == 0 &&
      CameraClient_GetFrameSize(handle, &value) == 0 && CameraClient_GetFrameRate(handle, &value) == 0 &&
      CameraClient_GetEncodeType(handle, &value) == 0 && CameraClient_GetRateControl(handle, &value) == 0 &&
      CameraClient_GetBitRate(handle, &value, &second) == 0 && CameraClient_GetVideoQuality(handle, &value) == 0 &&
      CameraClient_GetOsdParam(handle, &osd) == 0 && CameraClient_GetImageAdjust(handle, &value, &b, &c, &h) == 0 &&
      CameraClient_GetFlickerFrequency(handle, &value) == 0 && CameraClient_GetShutter(handle, &value) == 0 &&
      CameraClient_GetFlip(handle, &value) == 0 && CameraClient_GetIoOutput(handle, &output) == 0 &&
      CameraClient_GetWhiteListEnable(handle, &value) == 0 &&
      CameraClient_GetWhiteListFuzzy(handle, &value, &fuzzyLength, &fuzzyChinese) == 0 &&
      CameraClient_GetRecognitionType(handle, &bits) == 0 && CameraClient_GetTriggerType(handle, &bits) == 0 &&
      CameraClient_GetDrawMode(handle, &draw) == 0 && CameraClient_GetSerialParam(handle, 0, &serial[0]) == 0 &&
      CameraClient_GetSerialParam(handle, 1, &serial[1]) == 0 && CameraClient_GetSerialPushConfig(handle, &push) == 0 &&
      CameraClient_GetVirtualLoops(handle, &loops) == 0 && CameraClient_GetRecognitionRegion(handle, &region) == 0 &&
      CameraClient_GetNtpParam(handle, server, &ntpEnable, &ntpInterval) == 0 &&
      CameraClient_GetRealShowText(handle, realShow) == 0;
  // Each handle reads its own camera.
  return read && std::string(net.ip) == ip && net.port == port;
}

// Runs `work(i)` for every camera index below `count`, spread over eight threads at once.
template <typename Work>
void ForEachCamera(Work work, std::size_t count = kCameras) {
  constexpr int kThreads = 8;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t i = static_cast<std::size_t>(t); i < count; i += kThreads) work(i);
    });
  }
  for (auto& thread : threads) thread.join();
}

int ProcessThreads() {
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

int ProcessSockets() {
  int sockets = 0;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    sockets += std::filesystem::read_symlink(fd.path(), error).string().starts_with("socket:[");
  }
  return sockets;
}

// The library serves its handles from a few I/O threads, not a thread per handle: a thousand
// handles open at once, each reads its whole configuration, and the process has gained at most
// 16 threads meanwhile (the simulator's threads all run before the first handle opens).
TEST_F(ContractScaleTest, AThousandHandlesReadTheirConfigurationOnAFewThreads) {
  constexpr std::size_t kHandles = 1000;
  constexpr int kMostLibraryThreads = 16;
  // Per camera a listening and a search socket, per handle a descriptor at each end.
  if (!AllowOpenFiles(5 * kHandles)) GTEST_SKIP() << "too few file descriptors allowed";
  ASSERT_TRUE(m_sim.AddSharingAddresses(kHandles, 4));
  const int before = ProcessThreads();
  std::vector<CameraClientHandle> handles(kHandles, 0);
  std::atomic<int> failures{0};
  ForEachCamera(
      [&](std::size_t i) {
        handles[i] = m_sim.Open(i);
        if (handles[i] == 0) ++failures;
      },
      kHandles);
  ASSERT_EQ(failures, 0);
  ForEachCamera(
      [&](std::size_t i) {
        if (!ReadWholeConfiguration(handles[i], m_sim.Camera(i).Ip(), m_sim.Camera(i).Port())) ++failures;
      },
      kHandles);
  EXPECT_EQ(failures, 0);
  const int libraryThreads = ProcessThreads() - before;
  EXPECT_LE(libraryThreads, kMostLibraryThreads);
  std::printf("%zu handles open and read: %d more threads in the process\n", kHandles, libraryThreads);
  ForEachCamera([&](std::size_t i) { CameraClient_Close(handles[i]); }, kHandles);
}

TEST_F(ContractScaleTest, TwoHundredHandlesOpenAtOnceEachReadItsConfiguration) {
  ASSERT_TRUE(m_sim.Add(kCameras));
  std::vector<CameraClientHandle> handles(kCameras, 0);
  std::atomic<int> failures{0};
  ForEachCamera([&](std::size_t i) {
    handles[i] = m_sim.Open(i);
    if (handles[i] == 0) ++failures;
  });
  ASSERT_EQ(failures, 0);
  EXPECT_EQ(std::set<CameraClientHandle>(handles.begin(), handles.end()).size(), kCameras);
  ForEachCamera([&](std::size_t i) {
    if (!ReadWholeConfiguration(handles[i], m_sim.Camera(i).Ip(), m_sim.Camera(i).Port())) ++failures;
  });
  EXPECT_EQ(failures, 0);
  for (std::size_t i = 0; i < kCameras; ++i) EXPECT_GE(m_sim.Camera(i).ConnectionCount(), 1u) << i;
  ForEachCamera([&](std::size_t i) {
    if (CameraClient_Close(handles[i]) != 0) ++failures;
  });
  EXPECT_EQ(failures, 0);
}

int CountPlate(CameraClientHandle, void* user, const CameraClientPlateResult*, int, int, int, CameraClientImageHandle) {
  ++*static_cast<std::atomic<int>*>(user);
  return 0;
}

// Every camera drops its connection at once: with no call made, each handle connects again on
// its own and restores its plate subscription, and the plates come again to every handle.
TEST_F(ContractScaleTest, DroppedHandlesReconnectOnTheirOwn) {
  constexpr std::size_t kHandles = 50;
  ASSERT_TRUE(m_sim.Add(kHandles));
  std::vector<CameraClientHandle> handles(kHandles, 0);
  std::vector<std::atomic<int>> plates(kHandles);
  for (std::size_t i = 0; i < kHandles; ++i) {
    handles[i] = m_sim.Open(i);
    ASSERT_NE(handles[i], 0);
    ASSERT_EQ(CameraClient_SetPlateCallback(handles[i], CountPlate, &plates[i], 0), 0);
  }
  for (std::size_t i = 0; i < kHandles; ++i) m_sim.Camera(i).CloseConnections();
  for (std::size_t i = 0; i < kHandles; ++i) {
    EXPECT_TRUE(Eventually([&] { return m_sim.Camera(i).Calls().CountOf(protocol::Operation::PlateSubscribe) == 2; }))
        << "camera " << i;
  }
  for (std::size_t i = 0; i < kHandles; ++i) m_sim.Camera(i).Trigger(CAMERACLIENT_TRIGGER_MANUAL);
  for (std::size_t i = 0; i < kHandles; ++i) EXPECT_TRUE(Eventually([&] { return plates[i] == 1; })) << "handle " << i;
}

// CameraClient_Cleanup ends every thread the library started: its I/O threads, its reconnect timer
// and the threads that ran callbacks (several at once here, each callback taking its time); and it
// closes every connection (the cameras then close their ends).
TEST_F(ContractScaleTest, CleanupEndsTheLibraryThreadsAndConnections) {
  constexpr std::size_t kHandles = 8;
  ASSERT_TRUE(m_sim.Add(kHandles));
  const int before = ProcessThreads();
  const int socketsBefore = ProcessSockets();
  std::vector<std::atomic<int>> plates(kHandles);
  const auto slowPlate = [](CameraClientHandle, void* user, const CameraClientPlateResult*, int, int, int,
                            CameraClientImageHandle) {
    std::this_thread::sleep_for(20ms);
    ++*static_cast<std::atomic<int>*>(user);
    return 0;
  };
  for (std::size_t i = 0; i < kHandles; ++i) {
    const CameraClientHandle handle = m_sim.Open(i);
    ASSERT_NE(handle, 0);
    ASSERT_EQ(CameraClient_SetPlateCallback(handle, slowPlate, &plates[i], 0), 0);
  }
  m_sim.Camera(0).CloseConnections();  // a reconnect comes due on the timer
  for (std::size_t i = 0; i < kHandles; ++i) m_sim.Camera(i).Trigger(CAMERACLIENT_TRIGGER_MANUAL);
  for (std::size_t i = 1; i < kHandles; ++i) ASSERT_TRUE(Eventually([&] { return plates[i] == 1; }));
  EXPECT_GT(ProcessThreads(), before);
  EXPECT_GE(ProcessSockets(), socketsBefore + static_cast<int>(2 * (kHandles - 1)));
  CameraClient_Cleanup();
  EXPECT_EQ(ProcessThreads(), before);
  EXPECT_TRUE(Eventually([&] { return ProcessSockets() == socketsBefore; })) << ProcessSockets() - socketsBefore;
}

// A program that ends with its handles open, callbacks running, plates and video arriving: the
// library closes them on the way out and the process ends cleanly (the sanitizers see the rest).
TEST_F(ContractScaleTest, AProcessEndingWithOpenHandlesExitsCleanly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto endWithOpenHandles = [&] {
    constexpr std::size_t kHandles = 4;
    static std::atomic<int> calls{0};
    const auto slowPlate = [](CameraClientHandle, void*, const CameraClientPlateResult*, int, int, int,
                              CameraClientImageHandle) {
      std::this_thread::sleep_for(2ms);
      ++calls;
      return 0;
    };
    const auto slowFrame = [](CameraClientHandle, void*, const CameraClientFrame*) {
      std::this_thread::sleep_for(2ms);
      ++calls;
      return 0;
    };
    if (!m_sim.Add(kHandles)) std::_Exit(2);
    for (std::size_t i = 0; i < kHandles; ++i) {
      const CameraClientHandle handle = m_sim.Open(i);
      if (handle == 0 || CameraClient_SetPlateCallback(handle, slowPlate, nullptr, 1) != 0 ||
          CameraClient_StartStream(handle, 0, 0, 0) == -1 ||
          CameraClient_SetFrameCallback(handle, slowFrame, nullptr) != 0) {
        std::_Exit(3);
      }
      for (int n = 0; n < 10; ++n) m_sim.Camera(i).Trigger(CAMERACLIENT_TRIGGER_MANUAL);
    }
    if (!Eventually([&] { return calls >= 8; })) std::_Exit(4);
    std::exit(0);
  };
  EXPECT_EXIT(endWithOpenHandles(), testing::ExitedWithCode(0), "");
}

// The "ip:port" entries of a search-target list.
std::vector<std::pair<std::string, std::uint16_t>> Addresses(const std::string& targets) {
  std::vector<std::pair<std::string, std::uint16_t>> addresses;
  std::size_t start = 0;
  while (start < targets.size()) {
    const std::size_t end = std::min(targets.find(',', start), targets.size());
    const std::string entry = targets.substr(start, end - start);
    const std::size_t colon = entry.rfind(':');
    addresses.emplace_back(entry.substr(0, colon), static_cast<std::uint16_t>(std::stoi(entry.substr(colon + 1))));
    start = end + 1;
  }
  return addresses;
}

// The same over lpr-camsim in its own process, as the demo runs it; it ends cleanly on SIGTERM.
TEST_F(ContractScaleTest, TheCamsimProgramServesTwoHundredCameras) {
  CamsimProgram program({"--cameras", std::to_string(kCameras), "--base", m_sim.SpareIp(1), "--port", "8080",
                         "--no-multicast"});
  ASSERT_FALSE(program.SearchTargets().empty());
  const auto addresses = Addresses(program.SearchTargets());
  ASSERT_EQ(addresses.size(), kCameras);

  ::setenv("CAMERACLIENT_SEARCH_TARGETS", program.SearchTargets().c_str(), 1);
  Found found;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFound, &found), 0);
  ASSERT_TRUE(Eventually([&] { return found.Size() >= kCameras; }, 30s));
  CameraClient_StopFindDevice();
  {
    std::lock_guard lock(found.mutex);
    EXPECT_EQ(std::set<std::string>(found.reports.begin(), found.reports.end()).size(), kCameras);
  }

  std::vector<CameraClientHandle> handles(kCameras, 0);
  std::atomic<int> failures{0};
  ForEachCamera([&](std::size_t i) {
    handles[i] = CameraClient_Open(addresses[i].first.c_str(), addresses[i].second, "qorvt", "qorvt");
    if (handles[i] == 0) ++failures;
  });
  ASSERT_EQ(failures, 0);
  ForEachCamera([&](std::size_t i) {
    if (!ReadWholeConfiguration(handles[i], addresses[i].first, addresses[i].second)) ++failures;
  });
  EXPECT_EQ(failures, 0);
  ForEachCamera([&](std::size_t i) { CameraClient_Close(handles[i]); });
  EXPECT_EQ(program.Terminate(), 0);
}

TEST_F(ContractScaleTest, CallsOnOneHandleFromTwoThreadsAreSerialised) {
  ASSERT_TRUE(m_sim.Add(1));
  const CameraClientHandle handle = m_sim.Open(0);
  ASSERT_NE(handle, 0);
  std::atomic<int> failures{0};
  auto hammer = [&](int (*set)(CameraClientHandle, int), int (*get)(CameraClientHandle, int*), int low, int high) {
    for (int i = 0; i < 200; ++i) {
      const int value = low + i % (high - low + 1);
      int read = -1;
      if (set(handle, value) != 0 || get(handle, &read) != 0 || read != value) ++failures;
    }
  };
  std::thread first(hammer, CameraClient_SetFrameRate, CameraClient_GetFrameRate, 1, 25);
  std::thread second(hammer, CameraClient_SetVideoQuality, CameraClient_GetVideoQuality, 0, 6);
  first.join();
  second.join();
  EXPECT_EQ(failures, 0);
}

TEST_F(ContractScaleTest, ASlowCallOnOneHandleLeavesTheOtherHandlesFree) {
  ASSERT_TRUE(m_sim.Add(2));
  const CameraClientHandle slow = m_sim.Open(0);
  const CameraClientHandle quick = m_sim.Open(1);
  ASSERT_NE(slow, 0);
  ASSERT_NE(quick, 0);
  camsim::Fault fault;
  fault.delay = 2s;
  m_sim.Camera(0).Faults().Set(camera::protocol::Operation::GetShutter, fault);
  std::thread slowCall([&] {
    int shutter = 0;
    EXPECT_EQ(CameraClient_GetShutter(slow, &shutter), 0);
  });
  std::this_thread::sleep_for(100ms);
  const auto start = std::chrono::steady_clock::now();
  int shutter = 0;
  int mode = 0;
  EXPECT_EQ(CameraClient_GetShutter(quick, &shutter), 0);
  EXPECT_EQ(CameraClient_GetLedMode(quick, &mode), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "the other handle waited for the slow one";
  slowCall.join();
}

}  // namespace
}  // namespace camera::test
