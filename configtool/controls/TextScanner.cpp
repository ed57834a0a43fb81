#include "configtool/controls/TextScanner.h"

#include <limits>

TextScanner::Number TextScanner::ReadInt(std::int32_t& value) {
  const std::size_t start = m_pos;
  SkipBlanks();
  bool negative = false;
  if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) negative = m_text[m_pos++] == '-';
  const std::size_t digits = m_pos;
  std::int64_t magnitude = 0;
  bool overflow = false;
  for (; m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9'; ++m_pos) {
    magnitude = magnitude * 10 + (m_text[m_pos] - '0');
    if (magnitude > std::numeric_limits<std::int32_t>::max()) {
      overflow = true;
      magnitude = 0;
    }
  }
  if (m_pos == digits) {
    m_pos = start;
    return Number::kNone;
  }
  if (overflow) return Number::kOverflow;
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return Number::kRead;
}

std::int32_t LeadingInt(std::string_view text) {
  TextScanner scanner(text);
  std::int32_t value = 0;
  return scanner.ReadInt(value) == TextScanner::Number::kRead ? value : 0;
}
