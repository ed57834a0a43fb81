// Uncompressed Windows bitmaps. Every size and offset in the headers comes from outside, so each is
// checked against the bytes actually present before a pixel is read.

#include <bit>
#include <cstdint>
#include <optional>

#include "platform/ui/render/ImageDecoder.h"
#include "platform/ui/render/PixelConversion.h"

namespace ui {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t ReadU32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t ReadU16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// One colour channel described by a bit mask: where it sits and how many values it has.
class Channel {
 public:
  Channel() = default;
  explicit Channel(std::uint32_t mask) : m_mask(mask) {
    if (mask == 0) return;
    m_shift = std::countr_zero(mask);
    m_max = mask >> m_shift;
  }
  bool Present() const { return m_mask != 0; }
  // The channel's value of a pixel, scaled to 0..255.
  std::uint32_t Value(std::uint32_t pixel) const {
    if (m_max == 0) return 0;
    const std::uint64_t v = (pixel & m_mask) >> m_shift;
    return static_cast<std::uint32_t>((v * 255 + m_max / 2) / m_max);
  }

 private:
  std::uint32_t m_mask = 0;
  int m_shift = 0;
  std::uint32_t m_max = 0;
};

struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  Channel red, green, blue, alpha;
  std::size_t pixelOffset = 0;
  std::size_t stride = 0;
};

// Reads the channel masks of a bit-field bitmap: inside the header from version 2 on, after it before.
bool ReadMasks(std::string_view bytes, std::uint32_t headerSize, std::uint32_t compression, BmpLayout& layout) {
  const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
  const bool alphaInFile = compression == kBiAlphaBitfields || headerSize >= 56;
  const std::size_t needed = at + (alphaInFile ? 16 : 12);
  if (bytes.size() < needed) return false;
  layout.red = Channel(ReadU32(bytes, at));
  layout.green = Channel(ReadU32(bytes, at + 4));
  layout.blue = Channel(ReadU32(bytes, at + 8));
  if (alphaInFile) layout.alpha = Channel(ReadU32(bytes, at + 12));
  return layout.red.Present() || layout.green.Present() || layout.blue.Present();
}

void SetDefaultMasks(BmpLayout& layout) {
  if (layout.bitCount == 16) {
    layout.red = Channel(0x7C00);
    layout.green = Channel(0x03E0);
    layout.blue = Channel(0x001F);
  } else {
    layout.red = Channel(0x00FF0000);
    layout.green = Channel(0x0000FF00);
    layout.blue = Channel(0x000000FF);
    if (layout.bitCount == 32) layout.alpha = Channel(0xFF000000);
  }
}

std::optional<BmpLayout> ReadLayout(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  BmpLayout layout;
  layout.pixelOffset = ReadU32(bytes, 10);
  const std::uint32_t headerSize = ReadU32(bytes, kFileHeaderSize);
  std::uint32_t compression = kBiRgb;
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (headerSize == kCoreHeaderSize) {
    width = ReadU16(bytes, 18);
    height = ReadU16(bytes, 20);
    layout.bitCount = ReadU16(bytes, 24);
  } else {
    if (headerSize < kInfoHeaderSize || bytes.size() < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
    width = static_cast<std::int32_t>(ReadU32(bytes, 18));
    height = static_cast<std::int32_t>(ReadU32(bytes, 22));
    layout.bitCount = ReadU16(bytes, 28);
    compression = ReadU32(bytes, 30);
  }
  layout.topDown = height < 0;
  if (height < 0) height = -height;
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return std::nullopt;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);
  if (layout.bitCount != 16 && layout.bitCount != 24 && layout.bitCount != 32) return std::nullopt;

  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    if (layout.bitCount == 24 || !ReadMasks(bytes, headerSize, compression, layout)) return std::nullopt;
  } else if (compression == kBiRgb) {
    SetDefaultMasks(layout);
  } else {
    return std::nullopt;  // run-length and embedded formats are not read
  }

  layout.stride = (static_cast<std::size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
  // The last row may lack its padding; every pixel byte must be there.
  const std::size_t lastRowBytes = (static_cast<std::size_t>(layout.width) * layout.bitCount + 7) / 8;
  const std::uint64_t end = static_cast<std::uint64_t>(layout.pixelOffset) +
                            static_cast<std::uint64_t>(layout.stride) * (layout.height - 1) + lastRowBytes;
  if (layout.pixelOffset < kFileHeaderSize + headerSize || end > bytes.size()) return std::nullopt;
  return layout;
}

std::uint32_t ReadPixel(std::string_view bytes, std::size_t at, int bitCount) {
  switch (bitCount) {
    case 16:
      return ReadU16(bytes, at);
    case 24:
      return static_cast<std::uint32_t>(ReadU16(bytes, at)) |
             static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16;
    default:
      return ReadU32(bytes, at);
  }
}

}  // namespace

std::shared_ptr<Image> DecodeBmp(std::string_view bytes) {
  const std::optional<BmpLayout> layout = ReadLayout(bytes);
  if (!layout) return nullptr;
  auto image = Image::Create(layout->width, layout->height);
  const std::size_t bytesPerPixel = static_cast<std::size_t>(layout->bitCount) / 8;
  bool anyAlpha = false;
  for (int row = 0; row < layout->height; ++row) {
    const int y = layout->topDown ? row : layout->height - 1 - row;
    const std::size_t rowStart = layout->pixelOffset + layout->stride * row;
    std::uint32_t* out = image->Pixels() + static_cast<std::size_t>(y) * layout->width;
    for (int x = 0; x < layout->width; ++x) {
      const std::uint32_t pixel = ReadPixel(bytes, rowStart + bytesPerPixel * x, layout->bitCount);
      const std::uint32_t a = layout->alpha.Value(pixel);
      anyAlpha = anyAlpha || a != 0;
      // Straight ARGB for now; the alpha decision needs the whole picture.
      out[x] = a << 24 | layout->red.Value(pixel) << 16 | layout->green.Value(pixel) << 8 | layout->blue.Value(pixel);
    }
  }
  if (!layout->alpha.Present() || !anyAlpha) {
    // No alpha channel, or one that is all zero (an unused fourth byte): opaque.
    std::uint32_t* p = image->Pixels();
    const std::size_t count = static_cast<std::size_t>(layout->width) * layout->height;
    for (std::size_t i = 0; i < count; ++i) p[i] |= 0xFF000000u;
  } else {
    PremultiplyInPlace(*image);
  }
  return image;
}

}  // namespace ui
