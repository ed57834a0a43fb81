#pragma once
// For the benchmarks that run programs with real windows: a program started on a private display
// with the same environment for all (no session bus, no accessibility bus, search probes kept on
// loopback), ended (SIGKILL) when the object goes. Its processor time can be read while it runs,
// and what it writes to stderr line by line when asked for.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bench {

class DisplayProgram {
 public:
  using Clock = std::chrono::steady_clock;

  struct Options {
    std::vector<std::string> environment;  // "NAME=value" entries added to the common ones
    bool readErrors = false;               // stderr to NextErrorLine instead of /dev/null
  };

  DisplayProgram(const std::vector<std::string>& arguments, const std::string& display,
                 const std::filesystem::path& runtime, const Options& options);
  ~DisplayProgram();
  DisplayProgram(const DisplayProgram&) = delete;
  DisplayProgram& operator=(const DisplayProgram&) = delete;

  bool Started() const { return m_pid > 0; }
  Clock::time_point Start() const { return m_start; }
  // Processor time the program has used so far, all its threads, user and system.
  double CpuSeconds() const;
  // The next line it wrote to stderr (with readErrors), without its line end; nullopt when it
  // closed stderr or nothing came by the deadline.
  std::optional<std::string> NextErrorLine(Clock::time_point deadline);

 private:
  pid_t m_pid = -1;
  int m_errors = -1;
  std::string m_pending;
  Clock::time_point m_start;
};

}  // namespace bench
