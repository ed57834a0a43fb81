#pragma once

#include <string>
#include <vector>

namespace os {

// The dotted-quad IPv4 addresses of the up, non-loopback interfaces (getifaddrs).
// When the environment variable LPR_LOCAL_ADDRESSES is set (a comma-separated list, possibly
// empty), that list is returned instead: tests and the demo never touch a real interface.
std::vector<std::string> GetLocalIpv4Addresses();

}  // namespace os
