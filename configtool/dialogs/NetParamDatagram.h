#pragma once
// The datagram that gives a camera found by the search a new IP, gateway and netmask without
// opening it: the camera's two search numbers big-endian, then the three addresses, each with its
// four octets in reverse order (the value of inet_addr put through htonl on a little-endian host).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kNetParamDatagramSize = 20;
using NetParamDatagram = std::array<std::uint8_t, kNetParamDatagramSize>;

// The address of a dotted quad as a number, first octet highest; 0xFFFFFFFF (what inet_addr
// gives) for a text that is no address. The parts are read in decimal, as the dialog's checks
// read them, so "010" stays ten rather than becoming octal eight.
std::uint32_t DottedQuadValue(const std::string& text);

// Addresses as DottedQuadValue gives them.
NetParamDatagram BuildNetParamDatagram(std::uint32_t idHigh, std::uint32_t idLow, std::uint32_t ip,
                                       std::uint32_t gateway, std::uint32_t netmask);
