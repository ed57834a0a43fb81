#include "TestJpeg.h"

#include <turbojpeg.h>

namespace camera::test {

std::vector<std::uint8_t> MakeJpeg(int width, int height, std::uint8_t level, bool greyscale) {
  return MakeTwoToneJpeg(width, height, level, level, greyscale ? TJSAMP_GRAY : TJSAMP_420);
}

std::vector<std::uint8_t> MakeTwoToneJpeg(int width, int height, std::uint8_t left, std::uint8_t right,
                                          int subsampling) {
  tjhandle handle = tjInitCompress();
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3, left);
  for (int y = 0; y < height; ++y) {
    for (int x = width / 2; x < width; ++x) {
      for (int c = 0; c < 3; ++c) pixels[(static_cast<std::size_t>(y) * width + x) * 3 + c] = right;
    }
  }
  unsigned char* encoded = nullptr;
  unsigned long size = 0;
  tjCompress2(handle, pixels.data(), width, width * 3, height, TJPF_RGB, &encoded, &size, subsampling, 90, 0);
  std::vector<std::uint8_t> jpeg(encoded, encoded + size);
  tjFree(encoded);
  tjDestroy(handle);
  return jpeg;
}

JpegInfo InspectJpeg(const std::vector<std::uint8_t>& jpeg) {
  tjhandle handle = tjInitDecompress();
  JpegInfo info;
  int subsampling = 0;
  int colorspace = 0;
  if (tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &info.width, &info.height,
                          &subsampling, &colorspace) != 0) {
    info = {};
  }
  tjDestroy(handle);
  return info;
}

}  // namespace camera::test
