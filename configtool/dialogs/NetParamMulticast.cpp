#include "configtool/dialogs/NetParamMulticast.h"

#include <cstdio>

namespace {

// One address's send; the console line of the step that failed, or nullptr.
const char* SendFrom(const NetParamDatagram& datagram, const std::string& localAddress, IMulticastSocket& socket) {
  if (!socket.Open()) return "socket creating error\n";
  if (!socket.SetMulticastTimeToLive(kNetParamTimeToLive) || !socket.SetMulticastLoopback(false)) {
    return "setsockopt IP_MULTICAST_LOOP fall\n";
  }
  if (!socket.SetMulticastInterface(localAddress)) return "setsockopt IP_MULTICAST_IF fall\n";
  if (!socket.Bind(localAddress, kNetParamLocalPort)) return "Bind error\n";
  if (!socket.SendTo(datagram.data(), datagram.size(), kNetParamGroup, kNetParamGroupPort)) return "sendto error!\n";
  return nullptr;
}

}  // namespace

int SendNetParamMulticast(const NetParamDatagram& datagram, const std::vector<std::string>& localAddresses,
                          IMulticastSocket& socket) {
  if (localAddresses.empty()) {
    std::fputs("no local address\n", stdout);
    return 1;
  }
  for (const std::string& localAddress : localAddresses) {
    const char* failure = SendFrom(datagram, localAddress, socket);
    socket.Close();
    if (failure != nullptr) {
      std::fputs(failure, stdout);
      return 1;
    }
  }
  return 0;
}
