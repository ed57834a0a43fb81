#include "platform/ui/render/ImageDecoder.h"

namespace ui {

std::shared_ptr<Image> DecodeImage(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return DecodePng(bytes);
  if (bytes.starts_with("\xff\xd8\xff")) return DecodeJpeg(bytes);
  if (bytes.starts_with("BM")) return DecodeBmp(bytes);
  return nullptr;
}

}  // namespace ui
