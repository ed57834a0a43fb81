#include "common/AddressUtil.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "common/StringUtil.h"
#include "platform/os/LocalAddresses.h"

namespace {

constexpr std::uint32_t kAllOnes = 0xFFFFFFFFu;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' '; }
bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads the digits at `pos` as a decimal number of at most 255; consumes every digit either way.
std::optional<std::uint32_t> ReadOctet(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  std::uint32_t value = 0;
  bool tooLarge = false;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (tooLarge) continue;
    value = value * 10 + static_cast<std::uint32_t>(text[pos] - '0');
    tooLarge = value > 255;
  }
  if (pos == start || tooLarge) return std::nullopt;
  return value;
}

// Four octets separated by "." in host order; `pos` ends just past the fourth. With
// `skipBlanks`, blanks before each number are passed over.
std::optional<std::uint32_t> ReadQuad(std::string_view text, bool skipBlanks, std::size_t& pos) {
  std::uint32_t address = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && (pos >= text.size() || text[pos++] != '.')) return std::nullopt;
    while (skipBlanks && pos < text.size() && IsBlank(text[pos])) ++pos;
    const std::optional<std::uint32_t> octet = ReadOctet(text, pos);
    if (!octet) return std::nullopt;
    address = address << 8 | *octet;
  }
  return address;
}

// The leading decimal digits after any blanks, without leading zeros ("" for zero or none).
std::string_view SignificantDigits(std::string_view piece) {
  std::size_t pos = 0;
  while (pos < piece.size() && IsBlank(piece[pos])) ++pos;
  std::size_t end = pos;
  while (end < piece.size() && IsDigit(piece[end])) ++end;
  while (pos < end && piece[pos] == '0') ++pos;
  return piece.substr(pos, end - pos);
}

// Compares two pieces as decimal numbers of any length.
bool NumberLess(std::string_view first, std::string_view second) {
  const std::string_view a = SignificantDigits(first);
  const std::string_view b = SignificantDigits(second);
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace

std::optional<std::uint32_t> ParseDottedQuad(std::string_view text) {
  std::size_t pos = 0;
  const std::optional<std::uint32_t> address = ReadQuad(text, false, pos);
  if (!address || *address == kAllOnes) return std::nullopt;
  if (!std::all_of(text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(), IsWhiteSpace)) return std::nullopt;
  return address;
}

bool IsPlainDottedQuad(std::string_view text) {
  const std::optional<std::uint32_t> address = ParseDottedQuad(text);
  if (!address) return false;
  char plain[16];
  std::snprintf(plain, sizeof plain, "%u.%u.%u.%u", *address >> 24, *address >> 16 & 0xFF, *address >> 8 & 0xFF,
                *address & 0xFF);
  return text == plain;
}

bool IsValidIpv4(const std::string& text) {
  if (text.empty()) return true;
  const bool allowed = std::all_of(text.begin(), text.end(), [](char c) { return IsBlank(c) || IsDigit(c) || c == '.'; });
  if (!allowed || std::count(text.begin(), text.end(), '.') != 3) return false;
  std::size_t pos = 0;
  return ReadQuad(text, true, pos).has_value();
}

bool DottedQuadLess(const std::string& first, const std::string& second) {
  std::vector<std::string> a;
  std::vector<std::string> b;
  SplitString(first, ".", a);
  SplitString(second, ".", b);
  if (a.size() != 4 || b.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (NumberLess(a[i], b[i])) return true;
    if (NumberLess(b[i], a[i])) return false;
  }
  return false;
}

bool IsDifferentSubnet(const std::string& address, const std::string& gateway, const std::string& netmask) {
  const std::optional<std::uint32_t> a = ParseDottedQuad(address);
  const std::optional<std::uint32_t> g = ParseDottedQuad(gateway);
  const std::optional<std::uint32_t> m = ParseDottedQuad(netmask);
  if (!a || !g || !m) return true;
  return (*a & *m) != (*g & *m);
}

std::string DefaultNetmask(const std::string& address) {
  const std::optional<std::uint32_t> parsed = ParseDottedQuad(address);
  if (!parsed) return "255.255.255.0";
  const std::uint32_t firstOctet = *parsed >> 24;
  if (firstOctet <= 127) return "255.0.0.0";
  if (firstOctet <= 191) return "255.255.0.0";
  return "255.255.255.0";
}

void GetLocalAddresses(std::vector<std::string>& addresses) {
  const std::vector<std::string> local = os::GetLocalIpv4Addresses();
  addresses.insert(addresses.end(), local.begin(), local.end());
}
