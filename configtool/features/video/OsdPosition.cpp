#include "configtool/features/video/OsdPosition.h"

namespace {

constexpr std::int64_t kFixedOne = 16384;  // 1.0 in 14-bit fixed point
constexpr std::int64_t kFixedHalf = kFixedOne / 2;
constexpr int kFixedShift = 14;

}  // namespace

int OsdPictureClass(int hardwareType) { return hardwareType == 2 ? 2 : 1; }

int OsdPictureWidth(int pictureClass) { return pictureClass == 2 ? 720 : 704; }

std::int64_t OsdPercentOfPixels(std::int32_t pixels, int extent) {
  const std::int64_t ratio = static_cast<std::int64_t>(pixels) * kFixedOne / extent;
  return (ratio * 100 + kFixedHalf) >> kFixedShift;
}

std::int32_t OsdPixelsOfPercent(int percent, int extent) {
  const std::int64_t ratio = static_cast<std::int64_t>(percent) * kFixedOne / 100;
  return static_cast<std::int32_t>((extent * ratio + kFixedHalf) >> kFixedShift);
}
