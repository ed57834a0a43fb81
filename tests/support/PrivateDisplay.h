#pragma once
// A private X server (Xvfb) on a free display, with a black root window, for as long as the object
// lives: for tests and benchmarks that run programs with real windows.

#include <sys/types.h>

#include <string>

namespace lpr::test {

class PrivateDisplay {
 public:
  PrivateDisplay();
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // ":N", or empty when the server did not start.
  const std::string& Name() const { return m_name; }

 private:
  pid_t m_pid = -1;
  std::string m_name;
};

}  // namespace lpr::test
