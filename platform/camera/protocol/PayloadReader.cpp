#include "platform/camera/protocol/PayloadReader.h"

#include <algorithm>

#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

bool PayloadReader::Take(std::size_t count) {
  if (!m_ok || m_bytes.size() - m_offset < count) {
    m_ok = false;
    return false;
  }
  return true;
}

std::uint8_t PayloadReader::U8() {
  if (!Take(1)) return 0;
  return m_bytes[m_offset++];
}

std::uint16_t PayloadReader::U16() {
  if (!Take(2)) return 0;
  const auto value = static_cast<std::uint16_t>(m_bytes[m_offset] | (m_bytes[m_offset + 1] << 8));
  m_offset += 2;
  return value;
}

std::uint32_t PayloadReader::U32() {
  if (!Take(4)) return 0;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | m_bytes[m_offset + static_cast<std::size_t>(i)];
  m_offset += 4;
  return value;
}

std::string PayloadReader::Text(std::size_t maxBytes) {
  const std::uint16_t length = U16();
  if (length > std::min(maxBytes, kMaxTextBytes)) {
    m_ok = false;
    return {};
  }
  const auto bytes = Bytes(length);
  if (!m_ok) return {};
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::span<const std::uint8_t> PayloadReader::Bytes(std::size_t count) {
  if (!Take(count)) return {};
  const auto bytes = m_bytes.subspan(m_offset, count);
  m_offset += count;
  return bytes;
}

std::span<const std::uint8_t> PayloadReader::Rest() { return Bytes(Remaining()); }

}  // namespace camera::protocol
