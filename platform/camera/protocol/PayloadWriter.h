#pragma once
// Builds a payload from little-endian integers, texts and records.

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

namespace camera::protocol {

// Longest text a `str` element may carry.
inline constexpr std::size_t kMaxTextBytes = 1024;

class PayloadWriter {
 public:
  PayloadWriter& U8(std::uint8_t value);
  PayloadWriter& U16(std::uint16_t value);
  PayloadWriter& U32(std::uint32_t value);
  PayloadWriter& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
  PayloadWriter& Bytes(std::span<const std::uint8_t> bytes);
  // A `str` element; texts longer than kMaxTextBytes are cut there (callers check first).
  PayloadWriter& Text(std::string_view text);
  // A record as its own bytes.
  template <typename Record>
  PayloadWriter& Put(const Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    return Bytes({reinterpret_cast<const std::uint8_t*>(&record), sizeof(Record)});
  }

  std::size_t Size() const { return m_bytes.size(); }
  std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace camera::protocol
