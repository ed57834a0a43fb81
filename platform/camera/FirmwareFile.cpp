#include "platform/camera/FirmwareFile.h"

#include "platform/os/File.h"

namespace camera {

std::optional<FirmwareFile> ReadFirmwareFile(const std::string& path) {
  const auto size = os::FileSize(path);
  if (!size || *size < protocol::kFirmwareHeaderBytes ||
      *size > protocol::kFirmwareHeaderBytes + protocol::kMaxFirmwareBodyBytes) {
    return std::nullopt;
  }
  const auto contents = os::ReadWholeFile(path);
  if (!contents) return std::nullopt;
  FirmwareFile file;
  file.bytes.assign(contents->begin(), contents->end());
  const auto info = protocol::ParseFirmwareImage(file.bytes);
  if (!info) return std::nullopt;
  file.info = *info;
  return file;
}

}  // namespace camera
