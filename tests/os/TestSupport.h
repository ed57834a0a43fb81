#pragma once
// Helpers shared by the os tests.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/os/Clock.h"

namespace os::test {

// A fresh folder under /tmp (ASCII path), removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lpr-os-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// Polls `condition` in real time; true as soon as it holds, false after `timeout`.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// Processes whose parent is this one, running or ended but not reaped.
inline int ChildProcesses() {
  int children = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(line.substr(close + 1));
    char state = 0;
    long parent = 0;
    fields >> state >> parent;
    if (parent == getpid()) ++children;
  }
  return children;
}

// Installs a virtual clock for one test and restores the real one afterwards.
class VirtualTimeTest : public ::testing::Test {
 protected:
  VirtualTimeTest() { SetClock(&m_clock); }
  ~VirtualTimeTest() override { SetClock(nullptr); }

  VirtualClock m_clock;
};

// UTF-8 literals (u8"...") keep their UTF-8 bytes even where narrow literals are GBK.
inline std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

}  // namespace os::test
