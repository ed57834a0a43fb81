#pragma once
// Small JPEG pictures for tests (libturbojpeg).

#include <cstdint>
#include <vector>

namespace camera::test {

// A picture of one grey level, 4:2:0 unless `grey` subsampling is asked for.
std::vector<std::uint8_t> MakeJpeg(int width, int height, std::uint8_t level, bool greyscale = false);
// A picture whose left half has one grey level and right half another, with the chroma
// subsampling given (TJSAMP_*).
std::vector<std::uint8_t> MakeTwoToneJpeg(int width, int height, std::uint8_t left, std::uint8_t right,
                                          int subsampling);

struct JpegInfo {
  int width = 0;
  int height = 0;
};
// The size of a JPEG, or 0 x 0 when it does not decode.
JpegInfo InspectJpeg(const std::vector<std::uint8_t>& jpeg);

}  // namespace camera::test
