#pragma once
// PlaneBuffer: the video frame scaled to the view, as three planes one after another: Y (width x
// height), then U and V (width / 2 wide, (height + 1) / 2 rows: an odd last row repeats the row
// above it, so that every picture row has its chroma row).

#include <cstdint>
#include <vector>

class PlaneBuffer {
 public:
  // Keeps the planes when the size is the same; otherwise width x height x 2 zeroed bytes.
  void Reserve(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int ChromaWidth() const { return m_width >> 1; }
  int ChromaRows() const { return (m_height + 1) >> 1; }
  std::uint8_t* Y() { return m_bytes.data(); }
  std::uint8_t* U() { return Y() + static_cast<std::size_t>(m_width) * m_height; }
  std::uint8_t* V() { return U() + static_cast<std::size_t>(ChromaWidth()) * ChromaRows(); }

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint8_t> m_bytes;
};
