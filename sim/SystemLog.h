#pragma once
// The camera's own log: GBK lines with their local time, oldest dropped past a byte limit.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "platform/os/LocalTime.h"

namespace camsim {

class SystemLog {
 public:
  explicit SystemLog(std::size_t byteLimit = 256 * 1024) : m_byteLimit(byteLimit) {}

  // `gbkText` is one line without its line end.
  void Append(const os::LocalTime& time, std::string_view gbkText);
  // The whole log as the camera returns it: "YYYY-MM-DD hh:mm:ss text\r\n" per line.
  std::string Text() const;

 private:
  std::size_t m_byteLimit;
  std::deque<std::string> m_lines;
  std::size_t m_bytes = 0;
};

}  // namespace camsim
