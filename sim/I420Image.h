#pragma once
// A decoded picture in I420: the Y plane, then the U and V planes at half width and height.

#include <cstdint>
#include <vector>

namespace camsim {

struct I420Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;

  int ChromaWidth() const { return (width + 1) / 2; }
  int ChromaHeight() const { return (height + 1) / 2; }
  std::uint8_t* Y() { return bytes.data(); }
  std::uint8_t* U() { return bytes.data() + static_cast<std::size_t>(width) * height; }
  std::uint8_t* V() { return U() + static_cast<std::size_t>(ChromaWidth()) * ChromaHeight(); }
  const std::uint8_t* Y() const { return bytes.data(); }
  const std::uint8_t* U() const { return bytes.data() + static_cast<std::size_t>(width) * height; }
  const std::uint8_t* V() const { return U() + static_cast<std::size_t>(ChromaWidth()) * ChromaHeight(); }

  void Resize(int w, int h) {
    width = w;
    height = h;
    bytes.resize(static_cast<std::size_t>(w) * h + 2 * static_cast<std::size_t>(ChromaWidth()) * ChromaHeight());
  }
};

}  // namespace camsim
