#include "configtool/features/rules/RuleCoordinates.h"

#include <algorithm>

#include "configtool/features/rules/GraphObjectManager.h"

namespace {

constexpr std::int64_t kThousand = 1000;

std::int32_t ToPixels(std::int32_t thousandths, int size) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(thousandths, 0, kThousand) * size / kThousand);
}

}  // namespace

std::int32_t ToThousandths(int pixels, int size) {
  if (size <= 0) return 0;
  return static_cast<std::int32_t>(static_cast<std::int64_t>(pixels) * kThousand / size);
}

GraphPoint FromThousandths(const CameraClientPoint& point, const GraphObjectManager& manager) {
  return manager.ClampToImage(
      GraphPoint{ToPixels(point.x, manager.ImageWidth()), ToPixels(point.y, manager.ImageHeight())});
}

CameraClientPoint ToThousandths(GraphPoint point, const GraphObjectManager& manager) {
  return CameraClientPoint{ToThousandths(point.x, manager.ImageWidth()), ToThousandths(point.y, manager.ImageHeight())};
}
