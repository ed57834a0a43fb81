#include "platform/camera/protocol/FirmwareImage.h"

#include <zlib.h>

#include <cstring>

#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {
namespace {

constexpr std::uint8_t kFirmwareMagic[8] = {'L', 'P', 'R', 'F', 'I', 'R', 'M', 0};

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  // zlib takes at most 4 GiB minus one per call; bodies are far smaller, but stay correct anyway.
  uLong value = crc;
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const std::size_t chunk = std::min<std::size_t>(bytes.size() - offset, 1u << 30);
    value = crc32(value, bytes.data() + offset, static_cast<uInt>(chunk));
    offset += chunk;
  }
  return static_cast<std::uint32_t>(value);
}

std::optional<std::vector<std::uint8_t>> BuildFirmwareImage(const FirmwareVersion& version,
                                                            std::span<const std::uint8_t> body) {
  if (body.size() > kMaxFirmwareBodyBytes) return std::nullopt;
  PayloadWriter writer;
  writer.Bytes(kFirmwareMagic);
  for (const std::uint32_t number : version.numbers) {
    if (number > kMaxFirmwareVersionNumber) return std::nullopt;
    writer.U32(number);
  }
  writer.U32(static_cast<std::uint32_t>(body.size())).U32(Crc32(body)).Bytes(body);
  return writer.Take();
}

std::optional<FirmwareImageInfo> ParseFirmwareHeader(std::span<const std::uint8_t, kFirmwareHeaderBytes> header) {
  PayloadReader reader(header);
  const auto magic = reader.Bytes(sizeof kFirmwareMagic);
  if (!reader.Ok() || std::memcmp(magic.data(), kFirmwareMagic, sizeof kFirmwareMagic) != 0) return std::nullopt;
  FirmwareImageInfo info;
  for (std::uint32_t& number : info.version.numbers) {
    number = reader.U32();
    if (number > kMaxFirmwareVersionNumber) return std::nullopt;
  }
  info.bodyBytes = reader.U32();
  info.crc = reader.U32();
  if (!reader.Done() || info.bodyBytes > kMaxFirmwareBodyBytes) return std::nullopt;
  return info;
}

std::optional<FirmwareImageInfo> ParseFirmwareImage(std::span<const std::uint8_t> image) {
  if (image.size() < kFirmwareHeaderBytes) return std::nullopt;
  const auto info = ParseFirmwareHeader(image.first<kFirmwareHeaderBytes>());
  if (!info || image.size() != kFirmwareHeaderBytes + info->bodyBytes) return std::nullopt;
  if (Crc32(image.subspan(kFirmwareHeaderBytes)) != info->crc) return std::nullopt;
  return info;
}

}  // namespace camera::protocol
