#pragma once
// Reads a payload element by element. Every read checks the bytes left; the first failed read
// makes the reader fail for good, so a decoder can read everything and check Ok() once.

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

namespace camera::protocol {

class PayloadReader {
 public:
  explicit PayloadReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  // A `str` element of at most `maxBytes` bytes (and at most kMaxTextBytes).
  std::string Text(std::size_t maxBytes);
  // The next `count` bytes (empty span on failure).
  std::span<const std::uint8_t> Bytes(std::size_t count);
  std::span<const std::uint8_t> Rest();
  template <typename Record>
  Record Get() {
    static_assert(std::is_trivially_copyable_v<Record>);
    Record record{};
    const auto bytes = Bytes(sizeof(Record));
    if (m_ok) std::memcpy(&record, bytes.data(), sizeof(Record));
    return record;
  }

  std::size_t Remaining() const { return m_ok ? m_bytes.size() - m_offset : 0; }
  bool Ok() const { return m_ok; }
  // Ok and every byte read.
  bool Done() const { return m_ok && m_offset == m_bytes.size(); }
  void Fail() { m_ok = false; }

 private:
  bool Take(std::size_t count);

  std::span<const std::uint8_t> m_bytes;
  std::size_t m_offset = 0;
  bool m_ok = true;
};

}  // namespace camera::protocol
