#pragma once
// Where search probes go: the host:port list of CAMERACLIENT_SEARCH_TARGETS when it is set,
// else the broadcast address of each up, non-loopback interface (port 80) whose address is one of
// os::GetLocalIpv4Addresses(), so that the tests' address override keeps probes off real interfaces.

#include <netinet/in.h>

#include <optional>
#include <string_view>
#include <vector>

namespace camera {

inline constexpr unsigned short kBroadcastSearchPort = 80;

std::vector<sockaddr_in> SearchTargets();
// The entries of a host:port list; malformed entries are skipped.
std::vector<sockaddr_in> ParseSearchTargets(std::string_view list);

}  // namespace camera
