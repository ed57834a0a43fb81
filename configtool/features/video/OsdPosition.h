#pragma once
// Positions of the on-screen texts. The camera takes pixels of a 704 x 576 picture (720 x 576 on
// hardware type 2); the operator gives percent of the width and height. Both ways go through
// 14-bit fixed point, computed in 64 bits so that no camera value overflows.

#include <cstdint>

inline constexpr int kOsdPictureHeight = 576;

// The picture class of a hardware type: 2 for type 2, 1 for every other.
int OsdPictureClass(int hardwareType);
// The picture width of a picture class: 720 for class 2, 704 otherwise.
int OsdPictureWidth(int pictureClass);

// t = pixels x 16384 / extent (truncated), then (t x 100 + 8192) >> 14.
std::int64_t OsdPercentOfPixels(std::int32_t pixels, int extent);
// (extent x (percent x 16384 / 100) + 8192) >> 14, the inner division truncated.
std::int32_t OsdPixelsOfPercent(int percent, int extent);
