#include "tests/configtool/rules/ReferenceArithmetic.h"

#include <algorithm>

namespace rules::test {
namespace {

// The high half of a signed 16 x 16 product, and 16-bit saturation.
int HighHalf(int a, int b) { return (a * b) >> 16; }
int Saturate16(int v) { return std::clamp(v, -32768, 32767); }

struct Tap {
  int index;
  int fraction;
};

}  // namespace

void ReferenceScale(const std::uint8_t* source, int sw, int sh, int sourceStride, std::uint8_t* out, int dw, int dh,
                    int outStride) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const std::int64_t xstep = static_cast<std::int64_t>(sw) * 4096 / dw;
  const std::int64_t ystep = static_cast<std::int64_t>(sh) * 4096 / dh;
  std::vector<Tap> columns(static_cast<std::size_t>(dw));
  std::int64_t position = (xstep >> 1) - 2048;
  for (Tap& column : columns) {
    std::int64_t index = position >> 12;
    std::int64_t fraction = position - index * 4096;
    if (index < 0) index = fraction = 0;
    if (index >= sw - 1) {
      index = sw - 1;
      fraction = 0;
    }
    column = Tap{static_cast<int>(index), static_cast<int>(fraction)};
    position += xstep;
  }
  if (dw >= 2) columns[static_cast<std::size_t>(dw - 1)] = columns[static_cast<std::size_t>(dw - 2)];
  auto horizontal = [&](int row, int x) -> std::int32_t {
    const std::uint8_t* line = source + static_cast<std::ptrdiff_t>(row) * sourceStride;
    const Tap tap = columns[static_cast<std::size_t>(x)];
    const std::int32_t s = line[tap.index];
    const std::int32_t t = tap.index + 1 < sw ? line[tap.index + 1] : s;
    return s * 4096 + (t - s) * tap.fraction;
  };
  position = (ystep >> 1) - 2048;
  for (int y = 0; y < dh; ++y, position += ystep) {
    std::int64_t row = position >> 12;
    std::int64_t fy = position - row * 4096;
    if (row < 0) row = fy = 0;
    const bool second = fy > 0 && row < sh - 1;
    for (int x = 0; x < dw; ++x) {
      const std::int32_t a = horizontal(static_cast<int>(row), x);
      std::uint8_t value = 0;
      if (second) {
        const std::int32_t b = horizontal(static_cast<int>(row) + 1, x);
        const std::uint32_t sum = static_cast<std::uint32_t>(b - a) * static_cast<std::uint32_t>(fy) +
                                  static_cast<std::uint32_t>(a) * 4096u + 8388608u;
        value = static_cast<std::uint8_t>(sum >> 24);
      } else {
        value = static_cast<std::uint8_t>((a + 2048) >> 12);
      }
      out[static_cast<std::ptrdiff_t>(y) * outStride + x] = value;
    }
  }
}

std::array<std::uint8_t, 3> ReferencePixel(int y, int u, int v) {
  const int yc = HighHalf(std::max(y - 16, 0) * 8, 9576);
  const int cu = (u - 128) * 8;
  const int cv = (v - 128) * 8;
  const int r = Saturate16(yc + HighHalf(cv, 13123));
  const int g = Saturate16(yc + Saturate16(HighHalf(cu, -3218) + HighHalf(cv, -6686)));
  const int b = Saturate16(yc + HighHalf(cu, 16591));
  auto byte = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
  return {byte(b), byte(g), byte(r)};
}

std::uint16_t ReferenceRgb565(const std::array<std::uint8_t, 3>& bgr) {
  return static_cast<std::uint16_t>(((bgr[2] >> 3) << 11) | ((bgr[1] >> 2) << 5) | (bgr[0] >> 3));
}

std::vector<std::uint8_t> ReferenceFrameToRgb565(const CameraClientFrame& frame, int width, int height, int stride,
                                                 std::uint8_t fill) {
  const int chromaWidth = width / 2;
  const int chromaRows = (height + 1) / 2;
  std::vector<std::uint8_t> y(static_cast<std::size_t>(width) * height);
  std::vector<std::uint8_t> u(static_cast<std::size_t>(chromaWidth) * chromaRows);
  std::vector<std::uint8_t> v(u.size());
  ReferenceScale(frame.y, frame.width, frame.height, frame.yStride, y.data(), width, height, width);
  const int scaledRows = std::max(height / 2, 1);
  ReferenceScale(frame.u, frame.width / 2, frame.height / 2, frame.uStride, u.data(), chromaWidth, scaledRows,
                 chromaWidth);
  ReferenceScale(frame.v, frame.width / 2, frame.height / 2, frame.vStride, v.data(), chromaWidth, scaledRows,
                 chromaWidth);
  for (int row = scaledRows; row < chromaRows; ++row) {
    std::copy_n(u.begin() + (row - 1) * chromaWidth, chromaWidth, u.begin() + row * chromaWidth);
    std::copy_n(v.begin() + (row - 1) * chromaWidth, chromaWidth, v.begin() + row * chromaWidth);
  }
  std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * height, fill);
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width / 8 * 8; ++x) {
      const std::size_t chroma = static_cast<std::size_t>(row / 2) * chromaWidth + static_cast<std::size_t>(x / 2);
      const std::uint16_t word =
          ReferenceRgb565(ReferencePixel(y[static_cast<std::size_t>(row) * width + x], u[chroma], v[chroma]));
      out[static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x) * 2] =
          static_cast<std::uint8_t>(word & 0xFF);
      out[static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x) * 2 + 1] =
          static_cast<std::uint8_t>(word >> 8);
    }
  }
  return out;
}

}  // namespace rules::test
