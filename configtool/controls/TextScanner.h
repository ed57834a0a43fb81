#pragma once
// Reads a text from left to right the way the tool's small text forms are read: blanks, literal
// pieces and decimal numbers. Blanks are ASCII white space only, so no byte of a GBK character is
// ever taken for one. Numbers are bounded: a digit run beyond the range of a 32-bit integer is
// reported as an overflow instead of wrapping.

#include <cstddef>
#include <cstdint>
#include <string_view>

inline bool IsAsciiBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

class TextScanner {
 public:
  enum class Number { kNone, kRead, kOverflow };

  explicit TextScanner(std::string_view text) : m_text(text) {}

  std::string_view Rest() const { return m_text.substr(m_pos); }
  bool AtEnd() const { return m_pos >= m_text.size(); }
  // Both inline and byte by byte: the schedules of a whitelist import call them a hundred times a
  // record, with literals of a few bytes whose first byte settles most tries.
  void SkipBlanks() {
    while (m_pos < m_text.size() && IsAsciiBlank(m_text[m_pos])) ++m_pos;
  }
  // Steps over `literal` when the text continues with it (byte for byte).
  bool Consume(std::string_view literal) {
    if (m_text.size() - m_pos < literal.size()) return false;
    for (std::size_t i = 0; i < literal.size(); ++i) {
      if (m_text[m_pos + i] != literal[i]) return false;
    }
    m_pos += literal.size();
    return true;
  }
  // Blanks, an optional sign, then at least one decimal digit, as "%d" reads them. On kNone the
  // position stays where it was.
  Number ReadInt(std::int32_t& value);

 private:
  std::string_view m_text;
  std::size_t m_pos = 0;
};

// The leading number of a text as atoi reads it, or 0 when there is none or it would overflow.
std::int32_t LeadingInt(std::string_view text);
