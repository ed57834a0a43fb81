#include "sim/JpegCodec.h"

#include <turbojpeg.h>

#include <algorithm>

namespace camsim {

JpegCodec::JpegCodec() : m_handle(tjInitCompress()) {}

JpegCodec::~JpegCodec() {
  if (m_handle != nullptr) tjDestroy(m_handle);
}

bool JpegCodec::ToI420(const std::uint8_t* bgra, int width, int stride, int height, I420Image& out) {
  if (m_handle == nullptr || bgra == nullptr || width <= 0 || height <= 0) return false;
  out.Resize(width, height);
  unsigned char* planes[3] = {out.Y(), out.U(), out.V()};
  int strides[3] = {width, out.ChromaWidth(), out.ChromaWidth()};
  return tjEncodeYUVPlanes(m_handle, bgra, width, stride, height, TJPF_BGRX, planes, strides, TJSAMP_420,
                           TJFLAG_FASTDCT) == 0;
}

std::optional<std::vector<std::uint8_t>> JpegCodec::Compress(const I420Image& image, int quality) {
  if (m_handle == nullptr || image.width <= 0 || image.height <= 0) return std::nullopt;
  const unsigned char* planes[3] = {image.Y(), image.U(), image.V()};
  int strides[3] = {image.width, image.ChromaWidth(), image.ChromaWidth()};
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  if (tjCompressFromYUVPlanes(m_handle, planes, image.width, strides, image.height, TJSAMP_420, &jpeg, &size,
                              std::clamp(quality, 1, 100), TJFLAG_FASTDCT) != 0) {
    tjFree(jpeg);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(jpeg, jpeg + size);
  tjFree(jpeg);
  return bytes;
}

}  // namespace camsim
