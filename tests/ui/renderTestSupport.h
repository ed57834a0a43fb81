#pragma once
// Helpers shared by the renderer's tests: GBK texts, hand-made BMP files, pixel searches on a canvas.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/os/Charset.h"
#include "platform/os/WinTypes.h"
#include "platform/ui/render/Canvas.h"

namespace ui::rendertest {

// GBK bytes of a UTF-8 literal, whatever charset the test itself is compiled with.
inline std::string Gbk(const char8_t* utf8) { return os::Utf8ToGbk(reinterpret_cast<const char*>(utf8)); }

// A 16 x 8 JPEG (quality 100, no chroma subsampling): left half red, right half blue.
inline std::string_view TwoColourJpeg() {
  static const char bytes[] =
      "\xff\xd8\xff\xe0\x00\x10\x4a\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xdb\x00\x43"
      "\x00\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
      "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
      "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\xff\xdb\x00\x43\x01\x01\x01"
      "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
      "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01"
      "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\xff\xc0\x00\x11\x08\x00\x08\x00\x10\x03"
      "\x01\x11\x00\x02\x11\x01\x03\x11\x01\xff\xc4\x00\x14\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\x00\x00\x00\x09\xff\xc4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\x00\x00\xff\xc4\x00\x16\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x0b\x09\x0a\xff\xc4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00\x17\xd2\x9d\xbf\x81\x0e\x55"
      "\x01\xaf\xbf\xff\xd9";
  return std::string_view(bytes, sizeof bytes - 1);
}

// The fields of a BMP file to write; pixels are raw values of `bitCount` bits, by picture row.
struct BmpSpec {
  int width = 2;
  int height = 2;  // negative: rows stored top-down
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha; written when compression is 3
  std::function<std::uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

inline void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline std::string MakeBmp(const BmpSpec& spec) {
  const int rows = spec.height < 0 ? -spec.height : spec.height;
  const std::size_t stride = (static_cast<std::size_t>(spec.width) * spec.bitCount + 31) / 32 * 4;
  const bool masksAfterHeader = spec.compression == 3 && spec.headerSize == 40;
  const std::uint32_t offset = 14 + spec.headerSize + (masksAfterHeader ? 12 : 0);
  std::string out = "BM";
  PutLe(out, offset + static_cast<std::uint32_t>(stride * rows), 4);
  PutLe(out, 0, 4);
  PutLe(out, offset, 4);
  PutLe(out, spec.headerSize, 4);
  if (spec.headerSize == 12) {
    // The oldest header: 16-bit sizes, no compression field.
    PutLe(out, static_cast<std::uint32_t>(spec.width), 2);
    PutLe(out, static_cast<std::uint32_t>(spec.height), 2);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(spec.bitCount), 2);
  } else {
    PutLe(out, static_cast<std::uint32_t>(spec.width), 4);
    PutLe(out, static_cast<std::uint32_t>(spec.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(spec.bitCount), 2);
    PutLe(out, spec.compression, 4);
    PutLe(out, static_cast<std::uint32_t>(stride * rows), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    if (spec.headerSize > 40) {
      for (std::uint32_t mask : spec.masks) PutLe(out, mask, 4);
      out.resize(14 + spec.headerSize, '\0');
    } else if (masksAfterHeader) {
      for (int i = 0; i < 3; ++i) PutLe(out, spec.masks[i], 4);
    }
  }
  for (int fileRow = 0; fileRow < rows; ++fileRow) {
    const int y = spec.height < 0 ? fileRow : rows - 1 - fileRow;
    std::string row;
    for (int x = 0; x < spec.width; ++x) PutLe(row, spec.pixel(x, y), spec.bitCount / 8);
    row.resize(stride, '\0');
    out += row;
  }
  return out;
}

// The smallest rectangle holding every pixel of the canvas for which `ink` is true; empty when none.
inline RECT InkBounds(const Canvas& canvas, const std::function<bool(DWORD)>& ink) {
  RECT box{canvas.Width(), canvas.Height(), 0, 0};
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (!ink(canvas.ColorAt(x, y))) continue;
      box.left = std::min<long>(box.left, x);
      box.top = std::min<long>(box.top, y);
      box.right = std::max<long>(box.right, x + 1);
      box.bottom = std::max<long>(box.bottom, y + 1);
    }
  }
  if (box.right <= box.left) return RECT{};
  return box;
}

// True for pixels that differ from opaque white.
inline bool NotWhite(DWORD argb) { return argb != 0xFFFFFFFFu; }

}  // namespace ui::rendertest
