#include "platform/ui/render/ImageDecoder.h"

#include <cairo.h>

namespace ui {
namespace {

bool IsJpeg(std::string_view bytes) { return bytes.starts_with("\xff\xd8\xff"); }

std::shared_ptr<Image> Scaled(const Image& source, SIZE size) {
  auto scaled = Image::Create(static_cast<int>(size.cx), static_cast<int>(size.cy));
  if (scaled == nullptr) return nullptr;
  cairo_surface_t* from = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(source.Pixels())), CAIRO_FORMAT_ARGB32,
      source.Width(), source.Height(), source.Stride());
  cairo_surface_t* to = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(scaled->Pixels()),
                                                            CAIRO_FORMAT_ARGB32, scaled->Width(), scaled->Height(),
                                                            scaled->Stride());
  cairo_t* cr = cairo_create(to);
  cairo_scale(cr, static_cast<double>(size.cx) / source.Width(), static_cast<double>(size.cy) / source.Height());
  cairo_set_source_surface(cr, from, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(to);
  cairo_surface_destroy(from);
  return scaled;
}

}  // namespace

std::shared_ptr<Image> DecodeImage(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return DecodePng(bytes);
  if (IsJpeg(bytes)) return DecodeJpeg(bytes);
  if (bytes.starts_with("BM")) return DecodeBmp(bytes);
  return nullptr;
}

std::shared_ptr<Image> DecodeImageToSize(std::string_view bytes, SIZE size) {
  const bool sized = size.cx > 0 && size.cy > 0;
  std::shared_ptr<Image> image = IsJpeg(bytes) && sized ? DecodeJpegCovering(bytes, size) : DecodeImage(bytes);
  if (image == nullptr || !sized || (image->Width() == size.cx && image->Height() == size.cy)) return image;
  return Scaled(*image, size);
}

}  // namespace ui
