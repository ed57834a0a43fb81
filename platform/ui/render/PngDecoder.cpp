// PNG through libpng's simplified reader: every colour type and bit depth comes out as 8-bit BGRA.

#include <png.h>

#include <cstring>

#include "platform/ui/render/ImageDecoder.h"
#include "platform/ui/render/PixelConversion.h"

namespace ui {

std::shared_ptr<Image> DecodePng(std::string_view bytes) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return nullptr;
  if (png.width < 1 || png.height < 1 || png.width > kMaxImageSide || png.height > kMaxImageSide) {
    png_image_free(&png);
    return nullptr;
  }
  png.format = PNG_FORMAT_BGRA;
  auto image = Image::Create(static_cast<int>(png.width), static_cast<int>(png.height));
  // BGRA bytes are the little-endian ARGB words the image keeps; premultiplied afterwards.
  if (!png_image_finish_read(&png, nullptr, image->Pixels(), image->Stride(), nullptr)) {
    png_image_free(&png);
    return nullptr;
  }
  PremultiplyInPlace(*image);
  return image;
}

}  // namespace ui
