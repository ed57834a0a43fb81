#include "configtool/dialogs/NetParamDatagram.h"

#include "common/AddressUtil.h"

namespace {

constexpr std::uint32_t kNoAddress = 0xFFFFFFFFu;

void PutBigEndian(NetParamDatagram& datagram, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) datagram[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void PutReversedOctets(NetParamDatagram& datagram, std::size_t offset, std::uint32_t address) {
  for (std::size_t i = 0; i < 4; ++i) datagram[offset + i] = static_cast<std::uint8_t>(address >> (8 * i));
}

}  // namespace

std::uint32_t DottedQuadValue(const std::string& text) { return ParseDottedQuad(text).value_or(kNoAddress); }

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
