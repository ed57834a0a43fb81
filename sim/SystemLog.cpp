#include "sim/SystemLog.h"

#include <cstdio>

#include "platform/os/Charset.h"

namespace camsim {

void SystemLog::Append(const os::LocalTime& time, std::string_view gbkText) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  std::string line(stamp);
  line.append(gbkText.substr(0, os::GbkPrefixLength(gbkText, m_byteLimit / 2)));
  line += "\r\n";
  m_bytes += line.size();
  m_lines.push_back(std::move(line));
  while (m_bytes > m_byteLimit && !m_lines.empty()) {
    m_bytes -= m_lines.front().size();
    m_lines.pop_front();
  }
}

std::string SystemLog::Text() const {
  std::string text;
  text.reserve(m_bytes);
  for (const std::string& line : m_lines) text += line;
  return text;
}

}  // namespace camsim
