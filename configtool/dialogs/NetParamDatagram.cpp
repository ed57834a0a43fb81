#include "configtool/dialogs/NetParamDatagram.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kNoAddress = 0xFFFFFFFFu;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void PutBigEndian(NetParamDatagram& datagram, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) datagram[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void PutReversedOctets(NetParamDatagram& datagram, std::size_t offset, std::uint32_t address) {
  for (std::size_t i = 0; i < 4; ++i) datagram[offset + i] = static_cast<std::uint8_t>(address >> (8 * i));
}

}  // namespace

std::uint32_t DottedQuadValue(const std::string& text) {
  std::uint32_t address = 0;
  std::size_t pos = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && (pos >= text.size() || text[pos++] != '.')) return kNoAddress;
    const std::size_t start = pos;
    std::uint32_t octet = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
      octet = octet * 10 + static_cast<std::uint32_t>(text[pos] - '0');
      if (octet > 255) return kNoAddress;
    }
    if (pos == start) return kNoAddress;
    address = address << 8 | octet;
  }
  const bool restIsBlank = std::all_of(text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(), IsWhiteSpace);
  return restIsBlank ? address : kNoAddress;
}

NetParamDatagram BuildNetParamDatagram(std::uint32_t idHigh, std::uint32_t idLow, std::uint32_t ip,
                                       std::uint32_t gateway, std::uint32_t netmask) {
  NetParamDatagram datagram{};
  PutBigEndian(datagram, 0, idHigh);
  PutBigEndian(datagram, 4, idLow);
  PutReversedOctets(datagram, 8, ip);
  PutReversedOctets(datagram, 12, gateway);
  PutReversedOctets(datagram, 16, netmask);
  return datagram;
}
