#pragma once
// Firmware image files on disk (the format is protocol/FirmwareImage.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/camera/protocol/FirmwareImage.h"

namespace camera {

struct FirmwareFile {
  protocol::FirmwareImageInfo info;
  std::vector<std::uint8_t> bytes;  // the whole image, header included
};

// The checked image at `path` (GBK); nullopt when it is missing, unreadable or not an image.
std::optional<FirmwareFile> ReadFirmwareFile(const std::string& path);

}  // namespace camera
