#pragma once
// IPv4 address texts as the operator types them. Every number is read as bounded decimal:
// "010" is ten, and no digit count overflows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The address of a dotted quad as a number, first octet highest: four decimal numbers of 0..255
// separated by "." and followed by nothing but white space. The all-ones value counts as no
// address, as inet_addr reports it.
std::optional<std::uint32_t> ParseDottedQuad(std::string_view text);

// True for a dotted quad written as a camera writes its own: the four numbers without leading
// zeros, and nothing before, between or after them. Every reader takes such a text for the same
// address, where "010" is octal eight to some and blanks or a line end stop others.
bool IsPlainDottedQuad(std::string_view text);

// True for an acceptable dotted quad, and for an empty text (callers test for emptiness first).
// Blanks before a number are skipped.
bool IsValidIpv4(const std::string& text);

// True when `first` is the lower address. Texts without exactly four parts are never lower,
// nor is anything lower than them.
bool DottedQuadLess(const std::string& first, const std::string& second);

// True when the address and the gateway lie in different subnets under `netmask`, and when any
// of the three is not an address (255.255.255.255 counts as none).
bool IsDifferentSubnet(const std::string& address, const std::string& gateway, const std::string& netmask);

// The netmask of the address's class; "255.255.255.0" for a text that is no address.
std::string DefaultNetmask(const std::string& address);

// Appends the addresses of the up, non-loopback IPv4 interfaces.
void GetLocalAddresses(std::vector<std::string>& addresses);
