#include "platform/camera/SearchTargets.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

#include "platform/os/LocalAddresses.h"

namespace camera {
namespace {

std::optional<sockaddr_in> ParseTarget(std::string_view entry) {
  const auto colon = entry.rfind(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string host(entry.substr(0, colon));
  const std::string_view portText = entry.substr(colon + 1);
  unsigned port = 0;
  const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (error != std::errc() || end != portText.data() + portText.size() || port == 0 || port > 65535) {
    return std::nullopt;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<unsigned short>(port));
  if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) return std::nullopt;
  return address;
}

std::vector<sockaddr_in> BroadcastTargets() {
  std::vector<sockaddr_in> targets;
  const auto allowed = os::GetLocalIpv4Addresses();
  ifaddrs* interfaces = nullptr;
  if (::getifaddrs(&interfaces) != 0) return targets;
  for (const ifaddrs* it = interfaces; it != nullptr; it = it->ifa_next) {
    if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET || it->ifa_broadaddr == nullptr) continue;
    if ((it->ifa_flags & IFF_UP) == 0 || (it->ifa_flags & IFF_LOOPBACK) != 0 || (it->ifa_flags & IFF_BROADCAST) == 0) {
      continue;
    }
    char text[INET_ADDRSTRLEN] = {};
    const auto* own = reinterpret_cast<const sockaddr_in*>(it->ifa_addr);
    if (::inet_ntop(AF_INET, &own->sin_addr, text, sizeof text) == nullptr) continue;
    if (std::find(allowed.begin(), allowed.end(), text) == allowed.end()) continue;
    sockaddr_in target = *reinterpret_cast<const sockaddr_in*>(it->ifa_broadaddr);
    target.sin_port = htons(kBroadcastSearchPort);
    targets.push_back(target);
  }
  ::freeifaddrs(interfaces);
  return targets;
}

}  // namespace

std::vector<sockaddr_in> ParseSearchTargets(std::string_view list) {
  std::vector<sockaddr_in> targets;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string_view::npos) end = list.size();
    if (const auto target = ParseTarget(list.substr(start, end - start))) targets.push_back(*target);
    start = end + 1;
  }
  return targets;
}

std::vector<sockaddr_in> SearchTargets() {
  if (const char* list = std::getenv("CAMERACLIENT_SEARCH_TARGETS")) return ParseSearchTargets(list);
  return BroadcastTargets();
}

}  // namespace camera
