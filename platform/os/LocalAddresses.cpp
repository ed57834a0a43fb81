#include "platform/os/LocalAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdlib>
#include <string_view>

namespace os {
namespace {

std::vector<std::string> SplitAddressList(std::string_view list) {
  std::vector<std::string> addresses;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    std::string_view entry = list.substr(0, comma);
    while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
    while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
    if (!entry.empty()) addresses.emplace_back(entry);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return addresses;
}

std::vector<std::string> InterfaceAddresses() {
  std::vector<std::string> addresses;
  ifaddrs* interfaces = nullptr;
  if (::getifaddrs(&interfaces) != 0) return addresses;
  for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_UP) == 0 || (entry->ifa_flags & IFF_LOOPBACK) != 0) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    if (::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr) addresses.emplace_back(text);
  }
  ::freeifaddrs(interfaces);
  return addresses;
}

}  // namespace

std::vector<std::string> GetLocalIpv4Addresses() {
  if (const char* overridden = std::getenv("LPR_LOCAL_ADDRESSES")) return SplitAddressList(overridden);
  return InterfaceAddresses();
}

}  // namespace os
