#include "platform/camera/protocol/PayloadWriter.h"

#include <algorithm>

namespace camera::protocol {

PayloadWriter& PayloadWriter::U8(std::uint8_t value) {
  m_bytes.push_back(value);
  return *this;
}

PayloadWriter& PayloadWriter::U16(std::uint16_t value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value));
  m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  return *this;
}

PayloadWriter& PayloadWriter::U32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  return *this;
}

PayloadWriter& PayloadWriter::Bytes(std::span<const std::uint8_t> bytes) {
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
  return *this;
}

PayloadWriter& PayloadWriter::Text(std::string_view text) {
  const std::size_t length = std::min(text.size(), kMaxTextBytes);
  U16(static_cast<std::uint16_t>(length));
  return Bytes({reinterpret_cast<const std::uint8_t*>(text.data()), length});
}

}  // namespace camera::protocol
