#pragma once
// Decodes the camera's JPEG pictures (libturbojpeg): video frames to I420 planes or BGRA pixels.
// One decoder per thread.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camera {

// I420 planes with one readable byte past every row.
struct I420Picture {
  std::vector<std::uint8_t> bytes;
  CameraClientFrame frame{};
};

struct BgraPicture {
  std::vector<std::uint8_t> pixels;
  int width = 0;
  int height = 0;
  int stride = 0;
};

class JpegDecoder {
 public:
  JpegDecoder();
  ~JpegDecoder();
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  // nullopt unless the JPEG decodes, is 4:2:0 and has exactly the expected size.
  std::optional<I420Picture> DecodeI420(std::span<const std::uint8_t> jpeg, int width, int height);
  // nullopt unless the JPEG decodes and has exactly the expected size.
  std::optional<BgraPicture> DecodeBgra(std::span<const std::uint8_t> jpeg, int width, int height);

 private:
  bool HeaderMatches(std::span<const std::uint8_t> jpeg, int width, int height, int* subsampling);

  void* m_handle;
};

// Decodes `jpeg` and writes it again to the file at `path` (GBK) with `quality` (1..100).
bool WriteJpegFile(std::span<const std::uint8_t> jpeg, const char* path, int quality);

}  // namespace camera
