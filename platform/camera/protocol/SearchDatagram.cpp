#include "platform/camera/protocol/SearchDatagram.h"

#include <cstring>

#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {
namespace {

constexpr std::uint8_t kSearchMagic[4] = {'L', 'P', 'R', 'S'};
constexpr std::uint8_t kSearchVersion = 1;
constexpr std::uint8_t kProbeKind = 1;
constexpr std::uint8_t kAnswerKind = 2;

void PutPreamble(PayloadWriter& writer, std::uint8_t kind, std::uint32_t searchId) {
  writer.Bytes(kSearchMagic).U8(kSearchVersion).U8(kind).U16(0).U32(searchId);
}

// Reads the preamble; the search id, or nullopt when the datagram is not of this kind.
std::optional<std::uint32_t> ReadPreamble(PayloadReader& reader, std::uint8_t kind) {
  const auto magic = reader.Bytes(sizeof kSearchMagic);
  const std::uint8_t version = reader.U8();
  const std::uint8_t actualKind = reader.U8();
  const std::uint16_t reserved = reader.U16();
  const std::uint32_t searchId = reader.U32();
  if (!reader.Ok() || std::memcmp(magic.data(), kSearchMagic, sizeof kSearchMagic) != 0 ||
      version != kSearchVersion || actualKind != kind || reserved != 0) {
    return std::nullopt;
  }
  return searchId;
}

bool PutText(PayloadWriter& writer, const std::string& text) {
  if (text.size() >= kSearchTextBytes || text.find('\0') != std::string::npos) return false;
  std::uint8_t field[kSearchTextBytes] = {};
  std::memcpy(field, text.data(), text.size());
  writer.Bytes(field);
  return true;
}

std::optional<std::string> ReadText(PayloadReader& reader) {
  const auto field = reader.Bytes(kSearchTextBytes);
  if (!reader.Ok()) return std::nullopt;
  const void* terminator = std::memchr(field.data(), 0, field.size());
  if (terminator == nullptr) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(field.data()),
                     static_cast<const std::uint8_t*>(terminator) - field.data());
}

}  // namespace

std::vector<std::uint8_t> SearchProbe::Encode() const {
  PayloadWriter writer;
  PutPreamble(writer, kProbeKind, searchId);
  return writer.Take();
}

std::optional<SearchProbe> SearchProbe::Decode(std::span<const std::uint8_t> datagram) {
  if (datagram.size() != kSearchProbeBytes) return std::nullopt;
  PayloadReader reader(datagram);
  const auto searchId = ReadPreamble(reader, kProbeKind);
  if (!searchId || !reader.Done()) return std::nullopt;
  return SearchProbe{*searchId};
}

std::optional<std::vector<std::uint8_t>> SearchAnswer::Encode() const {
  PayloadWriter writer;
  PutPreamble(writer, kAnswerKind, searchId);
  if (!PutText(writer, ip) || !PutText(writer, netmask) || !PutText(writer, gateway)) return std::nullopt;
  writer.U16(port).U16(0).I32(value).U32(idLow).U32(idHigh);
  return writer.Take();
}

std::optional<SearchAnswer> SearchAnswer::Decode(std::span<const std::uint8_t> datagram) {
  if (datagram.size() != kSearchAnswerBytes) return std::nullopt;
  PayloadReader reader(datagram);
  const auto searchId = ReadPreamble(reader, kAnswerKind);
  if (!searchId) return std::nullopt;
  SearchAnswer answer;
  answer.searchId = *searchId;
  auto ip = ReadText(reader);
  auto netmask = ReadText(reader);
  auto gateway = ReadText(reader);
  answer.port = reader.U16();
  reader.U16();
  answer.value = reader.I32();
  answer.idLow = reader.U32();
  answer.idHigh = reader.U32();
  if (!ip || !netmask || !gateway || !reader.Done()) return std::nullopt;
  answer.ip = std::move(*ip);
  answer.netmask = std::move(*netmask);
  answer.gateway = std::move(*gateway);
  return answer;
}

}  // namespace camera::protocol
