#include "configtool/features/rules/PlaneBuffer.h"

void PlaneBuffer::Reserve(int width, int height) {
  if (!m_bytes.empty() && width == m_width && height == m_height) return;
  m_width = width;
  m_height = height;
  m_bytes.assign(static_cast<std::size_t>(width) * height * 2, 0);
}
