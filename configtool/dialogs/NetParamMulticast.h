#pragma once
// Sends the network-parameter datagram from each local IPv4 address in turn: UDP from port 23456
// of that address, by that address's interface, to 228.5.6.2 port 24100, time-to-live 255,
// multicast loopback off.

#include <string>
#include <vector>

#include "configtool/dialogs/MulticastSocket.h"
#include "configtool/dialogs/NetParamDatagram.h"

inline constexpr const char* kNetParamGroup = "228.5.6.2";
inline constexpr std::uint16_t kNetParamGroupPort = 24100;
inline constexpr std::uint16_t kNetParamLocalPort = 23456;
inline constexpr int kNetParamTimeToLive = 255;

// 0 when every address sent the datagram; 1 when a step failed (the addresses after it are not
// tried, and the failing step is named on the console) or when there is no local address at
// all, since then nothing reached the network.
int SendNetParamMulticast(const NetParamDatagram& datagram, const std::vector<std::string>& localAddresses,
                          IMulticastSocket& socket);
