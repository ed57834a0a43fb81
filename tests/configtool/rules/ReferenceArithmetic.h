#pragma once
// The rule editor's picture arithmetic written out plainly, one sample and one pixel at a time,
// to check the fast code against: the plane scale, the colour conversion and the whole frame path.

#include <array>
#include <cstdint>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace rules::test {

// The two-pass bilinear scale: each row's horizontal pass computed afresh, the vertical blend in
// unsigned 32 bits, and the sample after a row's last one taken as the last itself (its weight is
// 0 there). Writes each destination row's `dw` samples and nothing else.
void ReferenceScale(const std::uint8_t* source, int sw, int sh, int sourceStride, std::uint8_t* out, int dw, int dh,
                    int outStride);

// B, G, R of one pixel from its Y, U and V samples.
std::array<std::uint8_t, 3> ReferencePixel(int y, int u, int v);

// The RGB565 word of B, G, R.
std::uint16_t ReferenceRgb565(const std::array<std::uint8_t, 3>& bgr);

// The frame scaled to width x height (U and V to half; an odd height repeats the last chroma row)
// and converted in groups of 8 pixels: rows of `stride` bytes, the pixels past the last whole
// group keeping `fill`.
std::vector<std::uint8_t> ReferenceFrameToRgb565(const CameraClientFrame& frame, int width, int height, int stride,
                                                 std::uint8_t fill);

}  // namespace rules::test
