#pragma once
// The rule editor's colour conversion of decoded video: planar YUV 4:2:0 (ITU-R BT.601 limited
// range, 16-bit fixed point) to BGR24, BGR24 to RGB565, and the two in one pass. Rows are converted
// in groups of 8 pixels: the last width mod 8 pixels of a row are not written. Two horizontally
// adjacent pixels share one U and one V sample; output row r reads luma row r and chroma row r / 2.

#include <cstdint>

// BGR24, three bytes a pixel. A negative height walks the planes bottom-up.
void ConvertYuv420ToRgb(const std::uint8_t* y, int yStride, const std::uint8_t* u, const std::uint8_t* v,
                        int chromaStride, std::uint8_t* output, int width, int height, int outputStride);

// Each pixel's bytes (B, G, R) to the little-endian word (R >> 3) << 11 | (G >> 2) << 5 | B >> 3.
void ConvertRgb24ToRgb565(const std::uint8_t* input, std::uint8_t* output, int width, int height, int inputStride,
                          int outputStride);

// The same words as ConvertYuv420ToRgb followed by ConvertRgb24ToRgb565 (height above 0).
void ConvertYuv420ToRgb565(const std::uint8_t* y, int yStride, const std::uint8_t* u, const std::uint8_t* v,
                           int chromaStride, std::uint8_t* output, int width, int height, int outputStride);

// Row length in bytes of a picture of `bitsPerPixel`, padded to 4 bytes.
constexpr int PaddedStride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) >> 3) & ~3; }
