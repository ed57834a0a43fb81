#include "configtool/features/rules/RuleDefaults.h"

#include <algorithm>
#include <cstdint>

namespace {

// size * factor / 16384, rounded.
std::int32_t Fraction(int size, int factor) {
  return static_cast<std::int32_t>((static_cast<std::int64_t>(size) * factor + 8192) >> 14);
}

std::int32_t ViewToImage(int view, int viewSize, int imageSize) {
  if (viewSize <= 0) return 0;
  const std::int64_t image = static_cast<std::int64_t>(view) * imageSize / viewSize;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(image, 0, std::max(0, imageSize - 2)));
}

}  // namespace

std::array<GraphPoint, 4> DefaultLoopVertices(int imageWidth, int imageHeight) {
  return {GraphPoint{Fraction(imageWidth, 2400), Fraction(imageHeight, 12000)},
          GraphPoint{Fraction(imageWidth, 13984), Fraction(imageHeight, 12000)},
          GraphPoint{Fraction(imageWidth, 15984), Fraction(imageHeight, 14000)},
          GraphPoint{Fraction(imageWidth, 400), Fraction(imageHeight, 14000)}};
}

std::array<GraphPoint, 4> DefaultRegionVertices(int viewWidth, int viewHeight, int imageWidth, int imageHeight) {
  const GraphPoint view[4] = {{60, 60}, {viewWidth - 60, 60}, {viewWidth - 10, viewHeight - 10}, {10, viewHeight - 10}};
  std::array<GraphPoint, 4> image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] =
        GraphPoint{ViewToImage(view[i].x, viewWidth, imageWidth), ViewToImage(view[i].y, viewHeight, imageHeight)};
  }
  return image;
}
