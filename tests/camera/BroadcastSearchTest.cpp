// The search without a target list: a probe goes to the broadcast address of each up, non-loopback
// interface, on port 80. It runs in a child process inside a network namespace of the test's own,
// holding only veth interfaces, so that nothing it sends can leave the machine.

#include "cameraclient/CameraClient.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

// The child's exit codes.
enum ChildResult {
  kProbesAsExpected = 0,
  kNoNamespace = 10,  // unshare refused: no privilege here
  kNotIsolated = 11,
  kNoInterfaces = 12,
  kNoListener = 13,
  kWrongProbes = 14,
};

// Two interfaces up and one down, each on a network of its own: one end of a veth pair each, the
// other ends up but without an IPv4 address.
constexpr const char* kMakeInterfaces =
    "ip link add lpr0 type veth peer name lpr0p && ip link set lpr0p up && "
    "ip addr add 10.231.7.5/24 brd + dev lpr0 && ip link set lpr0 up && "
    "ip link add lpr1 type veth peer name lpr1p && ip link set lpr1p up && "
    "ip addr add 10.232.9.5/16 brd + dev lpr1 && ip link set lpr1 up && "
    "ip link add lpr2 type veth peer name lpr2p && ip addr add 10.233.1.5/24 brd + dev lpr2";

// A new network namespace has its loopback interface and nothing else.
bool OnlyLoopbackInterface() {
  ifaddrs* interfaces = nullptr;
  if (::getifaddrs(&interfaces) != 0) return false;
  bool alone = true;
  for (const ifaddrs* it = interfaces; it != nullptr; it = it->ifa_next) {
    if (std::strcmp(it->ifa_name, "lo") != 0) alone = false;
  }
  ::freeifaddrs(interfaces);
  return alone;
}

int OnFound(int, const char*, int, int, uint32_t, uint32_t, const char*, const char*, void*) { return 0; }

// The destination addresses of the datagrams that reach port 80 within `seconds`.
std::set<std::string> ProbeDestinations(int fd, int seconds) {
  std::set<std::string> destinations;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    char payload[512];
    char control[CMSG_SPACE(sizeof(in_pktinfo))];
    iovec vector{payload, sizeof payload};
    msghdr message{};
    message.msg_iov = &vector;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (::recvmsg(fd, &message, 0) < 0) continue;  // the receive time-out
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr; header = CMSG_NXTHDR(&message, header)) {
      if (header->cmsg_level != IPPROTO_IP || header->cmsg_type != IP_PKTINFO) continue;
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(header), sizeof info);
      char text[INET_ADDRSTRLEN] = {};
      ::inet_ntop(AF_INET, &info.ipi_addr, text, sizeof text);
      destinations.insert(text);
    }
  }
  return destinations;
}

int Listener() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return -1;
  const int on = 1;
  ::setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
  timeval timeout{0, 200000};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(80);
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

[[noreturn]] void RunChild() {
  if (::unshare(CLONE_NEWNET) != 0) std::_Exit(kNoNamespace);
  // Only once nothing but our own interfaces can be reached does the search go without its list.
  if (!OnlyLoopbackInterface()) std::_Exit(kNotIsolated);
  if (std::system(kMakeInterfaces) != 0) std::_Exit(kNoInterfaces);
  const int fd = Listener();
  if (fd < 0) std::_Exit(kNoListener);
  ::unsetenv("CAMERACLIENT_SEARCH_TARGETS");
  ::unsetenv("LPR_LOCAL_ADDRESSES");
  CameraClient_Setup();
  CameraClient_StartFindDeviceEx(OnFound, nullptr);
  const std::set<std::string> destinations = ProbeDestinations(fd, 3);
  CameraClient_StopFindDevice();
  CameraClient_Cleanup();
  const std::set<std::string> expected = {"10.231.7.255", "10.232.255.255"};
  if (destinations == expected) std::_Exit(kProbesAsExpected);
  for (const std::string& destination : destinations) std::fprintf(stderr, "probe to %s\n", destination.c_str());
  std::_Exit(kWrongProbes);
}

TEST(BroadcastSearch, ProbesGoToTheBroadcastAddressOfEachInterfaceThatIsUp) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) RunChild();
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  const int result = WEXITSTATUS(status);
  if (result == kNoNamespace) GTEST_SKIP() << "no network namespace can be made here";
  if (result == kNoInterfaces) GTEST_SKIP() << "no veth interfaces can be made here";
  EXPECT_EQ(result, kProbesAsExpected) << "child result " << result;
}

}  // namespace
