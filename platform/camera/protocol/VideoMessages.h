#pragma once
// The VideoFrame event: u32 frame number, u16 width, u16 height, JPEG.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace camera::protocol {

struct VideoFrameEvent {
  std::uint32_t frameNumber = 0;
  int width = 0;   // 1..kMaxVideoDimension
  int height = 0;
  std::vector<std::uint8_t> jpeg;  // not empty
  std::vector<std::uint8_t> Encode() const;
  static std::optional<VideoFrameEvent> Decode(std::span<const std::uint8_t> payload);
};

}  // namespace camera::protocol
