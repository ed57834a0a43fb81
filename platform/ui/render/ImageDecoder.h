#pragma once
// Decodes PNG, JPEG and BMP files from their bytes. The format is told by the first bytes, not by
// the file name. Broken, truncated or oversized input gives nullptr, never a partial picture.

#include <memory>
#include <string_view>

#include "platform/ui/render/Image.h"

namespace ui {

// Pictures larger than this in either direction are refused: a small file may declare a huge
// size, and a decoded 8192 x 8192 picture already takes 256 MiB. Camera pictures are far smaller.
constexpr int kMaxImageSide = 8192;

std::shared_ptr<Image> DecodeImage(std::string_view bytes);
// The picture made `size` large (smoothly scaled; as it is when a side of `size` is below 1). A
// JPEG is decoded at the largest power-of-two reduction that still covers the size, which costs
// a fraction of the whole picture: for thumbnails.
std::shared_ptr<Image> DecodeImageToSize(std::string_view bytes, SIZE size);

std::shared_ptr<Image> DecodePng(std::string_view bytes);
std::shared_ptr<Image> DecodeJpeg(std::string_view bytes);
// With a non-empty `cover`: at the largest reduction (1/2, 1/4 or 1/8) that still covers it.
std::shared_ptr<Image> DecodeJpegCovering(std::string_view bytes, SIZE cover);
// Uncompressed BMP: 16-bit (5-5-5, or bit fields such as 5-6-5), 24-bit and 32-bit; bottom-up or
// top-down. 32-bit pictures whose alpha bytes are all zero are taken as opaque.
std::shared_ptr<Image> DecodeBmp(std::string_view bytes);

}  // namespace ui
