#pragma once
// Decodes the camera's JPEG pictures (libturbojpeg): video frames to I420 planes or BGRA pixels,
// whole or reduced while decoding. One decoder per thread.

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
  // Gives the picture the size, keeping its storage when it has room (pixels are left as they were).
  void Reshape(int newWidth, int newHeight);
};

// The three planes of a 4:2:0 picture in one buffer kept from picture to picture.
struct I420Planes {
  std::vector<std::uint8_t> bytes;
  int width = 0;
  int height = 0;
  int yStride = 0;
  int cStride = 0;
  // Gives the planes the size, keeping the storage when it has room (bytes are left as they were).
  void Reshape(int newWidth, int newHeight);
  int ChromaHeight() const { return (height + 1) / 2; }
  std::uint8_t* Y() { return bytes.data(); }
  std::uint8_t* U() { return Y() + static_cast<std::size_t>(yStride) * height; }
  std::uint8_t* V() { return U() + static_cast<std::size_t>(cStride) * ChromaHeight(); }
};

// A side of a picture decoded at 1/`reduction` of its size, rounded as libturbojpeg rounds it.
int ReducedSide(int side, int reduction);

class JpegDecoder {
 public:
  JpegDecoder();
  ~JpegDecoder();
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  // nullopt unless the JPEG decodes, is 4:2:0 and has exactly the expected size.
  std::optional<I420Picture> DecodeI420(std::span<const std::uint8_t> jpeg, int width, int height);

  // The JPEG's chroma subsampling (TJSAMP_*) when its header reads and gives exactly the expected
  // size; nullopt otherwise.
  std::optional<int> Subsampling(std::span<const std::uint8_t> jpeg, int width, int height);
  // Decodes a width x height JPEG at 1/`reduction` of its size (1, 2, 4 or 8) into `out`. The
  // planes need a 4:2:0 JPEG.
  bool DecodeReducedI420(std::span<const std::uint8_t> jpeg, int width, int height, int reduction, I420Planes& out);
  bool DecodeReducedBgra(std::span<const std::uint8_t> jpeg, int width, int height, int reduction, BgraPicture& out);

 private:
  bool HeaderMatches(std::span<const std::uint8_t> jpeg, int width, int height, int* subsampling);

  void* m_handle;
};

// Decodes `jpeg` and writes it again to the file at `path` (GBK) with `quality` (1..100).
bool WriteJpegFile(std::span<const std::uint8_t> jpeg, const char* path, int quality);

}  // namespace camera
