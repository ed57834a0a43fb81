// JPEG through TurboJPEG, straight into the BGRA byte order of the image's pixel words.

#include <turbojpeg.h>

#include "platform/ui/render/ImageDecoder.h"

namespace ui {
namespace {

class Decompressor {
 public:
  Decompressor() : m_handle(tjInitDecompress()) {}
  ~Decompressor() {
    if (m_handle != nullptr) tjDestroy(m_handle);
  }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
  tjhandle Get() const { return m_handle; }

 private:
  tjhandle m_handle;
};

// How many times smaller a width x height picture may be decoded and still cover `cover`.
int ReductionToCover(int width, int height, SIZE cover) {
  if (cover.cx < 1 || cover.cy < 1) return 1;
  int reduction = 1;
  while (reduction < 8 && TJSCALED(width, (tjscalingfactor{1, reduction * 2})) >= cover.cx &&
         TJSCALED(height, (tjscalingfactor{1, reduction * 2})) >= cover.cy) {
    reduction *= 2;
  }
  return reduction;
}

}  // namespace

std::shared_ptr<Image> DecodeJpeg(std::string_view bytes) { return DecodeJpegCovering(bytes, SIZE{}); }

std::shared_ptr<Image> DecodeJpegCovering(std::string_view bytes, SIZE cover) {
  Decompressor decompressor;
  if (decompressor.Get() == nullptr || bytes.empty()) return nullptr;
  auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto size = static_cast<unsigned long>(bytes.size());
  int width = 0;
  int height = 0;
  int subsampling = 0;
  int colorspace = 0;
  if (tjDecompressHeader3(decompressor.Get(), data, size, &width, &height, &subsampling, &colorspace) != 0) {
    return nullptr;
  }
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  const tjscalingfactor reduction{1, ReductionToCover(width, height, cover)};
  auto image = Image::Create(TJSCALED(width, reduction), TJSCALED(height, reduction));
  // TJPF_BGRA fills alpha with 0xFF: an opaque picture needs no premultiplying.
  if (tjDecompress2(decompressor.Get(), data, size, reinterpret_cast<unsigned char*>(image->Pixels()),
                    image->Width(), image->Stride(), image->Height(), TJPF_BGRA, TJFLAG_ACCURATEDCT) != 0) {
    // Damage inside the data after a good header still counts as broken.
    return nullptr;
  }
  return image;
}

}  // namespace ui
