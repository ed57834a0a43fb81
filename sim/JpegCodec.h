#pragma once
// libturbojpeg for the camera's pictures: Cairo's BGRA to I420, and I420 to JPEG.

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/I420Image.h"

namespace camsim {

class JpegCodec {
 public:
  JpegCodec();
  ~JpegCodec();
  JpegCodec(const JpegCodec&) = delete;
  JpegCodec& operator=(const JpegCodec&) = delete;

  // `bgra` is Cairo's ARGB32 on a little-endian host, `stride` bytes a row.
  bool ToI420(const std::uint8_t* bgra, int width, int stride, int height, I420Image& out);
  // Baseline JPEG, 4:2:0, quality 1..100.
  std::optional<std::vector<std::uint8_t>> Compress(const I420Image& image, int quality);

 private:
  void* m_handle;
};

}  // namespace camsim
