// The search against scripted responders on loopback: each camera once per search, new ones and
// new addresses as they appear, and nothing reported once StopFindDevice has returned.

#include "cameraclient/CameraClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "Eventually.h"
#include "platform/camera/protocol/SearchDatagram.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;

// Answers every probe with the answers it currently holds, `repeat` times each.
class SearchResponder {
 public:
  explicit SearchResponder(int repeat = 1) : m_repeat(repeat) {
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
  }
  ~SearchResponder() {
    m_stopping = true;
    m_thread.join();
    ::close(m_fd);
  }

  std::uint16_t Port() const { return m_port; }
  void Add(const char* ip, std::uint32_t idLow, std::uint32_t idHigh) {
    protocol::SearchAnswer answer;
    answer.ip = ip;
    answer.netmask = "255.0.0.0";
    answer.gateway = "127.0.0.254";
    answer.port = 8080;
    answer.value = 2;
    answer.idLow = idLow;
    answer.idHigh = idHigh;
    std::lock_guard lock(m_mutex);
    m_answers.push_back(answer);
  }
  void Clear() {
    std::lock_guard lock(m_mutex);
    m_answers.clear();
  }
  int Probes() const { return m_probes; }

 private:
  void Serve() {
    while (!m_stopping) {
      pollfd pfd{m_fd, POLLIN, 0};
      if (::poll(&pfd, 1, 20) <= 0) continue;
      std::uint8_t datagram[64];
      sockaddr_in from{};
      socklen_t length = sizeof from;
      const ssize_t size = ::recvfrom(m_fd, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from), &length);
      const auto probe = protocol::SearchProbe::Decode({datagram, static_cast<std::size_t>(std::max<ssize_t>(size, 0))});
      if (!probe) continue;
      ++m_probes;
      std::lock_guard lock(m_mutex);
      for (auto answer : m_answers) {
        answer.searchId = probe->searchId;
        const auto bytes = *answer.Encode();
        for (int i = 0; i < m_repeat; ++i) {
          ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&from), length);
        }
      }
      // Junk is ignored by the library.
      const std::uint8_t junk[76] = {'L', 'P', 'R', 'S', 1, 2};
      ::sendto(m_fd, junk, sizeof junk, 0, reinterpret_cast<sockaddr*>(&from), length);
    }
  }

  const int m_repeat;
  int m_fd = -1;
  std::uint16_t m_port = 0;
  std::atomic<bool> m_stopping{false};
  std::atomic<int> m_probes{0};
  std::mutex m_mutex;
  std::vector<protocol::SearchAnswer> m_answers;
  std::thread m_thread;
};

using Report = std::tuple<std::string, int, std::uint32_t, std::uint32_t, std::string, std::string>;

struct Reports {
  std::mutex mutex;
  std::vector<Report> all;
  std::atomic<bool> stopFromInside{false};
  std::size_t Size() {
    std::lock_guard lock(mutex);
    return all.size();
  }
};

int OnFoundEx(int, const char* ip, int port, int, uint32_t idLow, uint32_t idHigh, const char* netmask,
              const char* gateway, void* user) {
  auto* reports = static_cast<Reports*>(user);
  {
    std::lock_guard lock(reports->mutex);
    reports->all.emplace_back(ip, port, idLow, idHigh, netmask, gateway);
  }
  if (reports->stopFromInside) CameraClient_StopFindDevice();
  return 0;
}

int OnFound(int, const char* ip, int port, int value, uint32_t idLow, uint32_t idHigh, void* user) {
  auto* reports = static_cast<Reports*>(user);
  std::lock_guard lock(reports->mutex);
  reports->all.emplace_back(ip, port, idLow, idHigh, std::to_string(value), "");
  return 0;
}

class SearchTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* targets = std::getenv("CAMERACLIENT_SEARCH_TARGETS");
    m_savedTargets = targets != nullptr ? targets : "";
    CameraClient_Setup();
  }
  void TearDown() override {
    CameraClient_Cleanup();
    ::setenv("CAMERACLIENT_SEARCH_TARGETS", m_savedTargets.c_str(), 1);
  }
  void Target(std::initializer_list<const SearchResponder*> responders) {
    std::string list;
    for (const auto* responder : responders) {
      if (!list.empty()) list += ",";
      list += "127.0.0.1:" + std::to_string(responder->Port());
    }
    list += ",not-an-address:1,127.0.0.1:0";  // skipped
    ::setenv("CAMERACLIENT_SEARCH_TARGETS", list.c_str(), 1);
  }

  std::string m_savedTargets;
};

TEST_F(SearchTest, ReportsEachCameraOncePerSearch) {
  SearchResponder responder(3);
  responder.Add("127.0.10.1", 1, 100);
  responder.Add("127.0.10.2", 2, 100);
  Target({&responder});
  Reports reports;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFoundEx, &reports), 0);
  ASSERT_TRUE(Eventually([&] { return reports.Size() == 2 && responder.Probes() >= 2; }));
  CameraClient_StopFindDevice();
  std::lock_guard lock(reports.mutex);
  ASSERT_EQ(reports.all.size(), 2u);
  std::set<Report> distinct(reports.all.begin(), reports.all.end());
  EXPECT_EQ(distinct.size(), 2u);
  EXPECT_TRUE(distinct.count(Report{"127.0.10.1", 8080, 1, 100, "255.0.0.0", "127.0.0.254"}));
}

TEST_F(SearchTest, ReportsNewCamerasAndNewAddressesAsTheyAppear) {
  SearchResponder first;
  SearchResponder second;
  first.Add("127.0.10.1", 1, 7);
  Target({&first, &second});
  Reports reports;
  ASSERT_EQ(CameraClient_StartFindDevice(OnFound, &reports), 0);
  ASSERT_TRUE(Eventually([&] { return reports.Size() == 1; }));
  second.Add("127.0.10.9", 9, 7);        // a camera switched on
  first.Clear();
  first.Add("127.0.10.33", 1, 7);        // the first camera at a new address
  ASSERT_TRUE(Eventually([&] { return reports.Size() == 3; }));
  CameraClient_StopFindDevice();
  std::lock_guard lock(reports.mutex);
  EXPECT_EQ(std::get<0>(reports.all[0]), "127.0.10.1");
  EXPECT_EQ(std::get<4>(reports.all[0]), "2");  // the value travels
  std::set<std::string> addresses;
  for (const auto& report : reports.all) addresses.insert(std::get<0>(report));
  EXPECT_EQ(addresses, (std::set<std::string>{"127.0.10.1", "127.0.10.9", "127.0.10.33"}));
}

TEST_F(SearchTest, ANewSearchReportsEveryCameraAgain) {
  SearchResponder responder;
  responder.Add("127.0.10.1", 1, 1);
  Target({&responder});
  Reports reports;
  for (int search = 1; search <= 2; ++search) {
    ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFoundEx, &reports), 0);
    ASSERT_TRUE(Eventually([&] { return reports.Size() == static_cast<std::size_t>(search); }));
  }
  CameraClient_StopFindDevice();
}

TEST_F(SearchTest, NothingIsReportedOnceStopReturns) {
  SearchResponder responder;
  responder.Add("127.0.10.1", 1, 1);
  Target({&responder});
  Reports reports;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFoundEx, &reports), 0);
  ASSERT_TRUE(Eventually([&] { return reports.Size() == 1; }));
  CameraClient_StopFindDevice();
  responder.Add("127.0.10.2", 2, 2);
  std::this_thread::sleep_for(1500ms);  // longer than a probe interval
  EXPECT_EQ(reports.Size(), 1u);
  CameraClient_StopFindDevice();  // harmless twice
}

TEST_F(SearchTest, ACallbackMayStopTheSearch) {
  SearchResponder responder;
  responder.Add("127.0.10.1", 1, 1);
  responder.Add("127.0.10.2", 2, 2);
  Target({&responder});
  Reports reports;
  reports.stopFromInside = true;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFoundEx, &reports), 0);
  ASSERT_TRUE(Eventually([&] { return reports.Size() == 1; }));
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(reports.Size(), 1u);
}

// A target that has not answered is probed again within a fraction of a second; one that has
// answered waits the whole second.
TEST_F(SearchTest, ATargetThatHasNotAnsweredIsProbedAgainSooner) {
  SearchResponder answering;
  SearchResponder silent;
  answering.Add("127.0.10.1", 1, 1);
  Target({&answering, &silent});
  Reports reports;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFoundEx, &reports), 0);
  ASSERT_TRUE(Eventually([&] { return silent.Probes() >= 4; }));  // at 0, 100, 300 and 700 ms
  EXPECT_LT(answering.Probes(), silent.Probes());
  CameraClient_StopFindDevice();
  EXPECT_EQ(reports.Size(), 1u);
}

struct BlockedReports {
  Reports reports;
  std::mutex mutex;
  std::condition_variable released;
  bool open = false;
};

// Waits until the test opens the gate, then records as OnFoundEx does.
int OnFoundBlocking(int handle, const char* ip, int port, int value, uint32_t idLow, uint32_t idHigh,
                    const char* netmask, const char* gateway, void* user) {
  auto* blocked = static_cast<BlockedReports*>(user);
  {
    std::unique_lock lock(blocked->mutex);
    blocked->released.wait(lock, [&] { return blocked->open; });
  }
  return OnFoundEx(handle, ip, port, value, idLow, idHigh, netmask, gateway, &blocked->reports);
}

// Answers are read and probes sent while a callback takes its time; what came meanwhile is
// reported once the callback returns.
TEST_F(SearchTest, ASlowCallbackHoldsUpNeitherProbesNorAnswers) {
  SearchResponder responder;
  responder.Add("127.0.10.1", 1, 1);
  Target({&responder});
  BlockedReports blocked;
  ASSERT_EQ(CameraClient_StartFindDeviceEx(OnFoundBlocking, &blocked), 0);
  ASSERT_TRUE(Eventually([&] { return responder.Probes() >= 1; }));
  responder.Add("127.0.10.2", 2, 2);
  ASSERT_TRUE(Eventually([&] { return responder.Probes() >= 3; }));  // the callback still waits
  {
    std::lock_guard lock(blocked.mutex);
    blocked.open = true;
  }
  blocked.released.notify_all();
  ASSERT_TRUE(Eventually([&] { return blocked.reports.Size() == 2; }));
  CameraClient_StopFindDevice();
}

}  // namespace
}  // namespace camera::test
