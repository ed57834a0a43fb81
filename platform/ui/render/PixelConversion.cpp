#include "platform/ui/render/PixelConversion.h"

namespace ui {

void PremultiplyInPlace(Image& image) {
  std::uint32_t* p = image.Pixels();
  const std::size_t count = static_cast<std::size_t>(image.Width()) * image.Height();
  for (std::size_t i = 0; i < count; ++i) p[i] = PremultipliedFromColor(p[i]);
}

}  // namespace ui
