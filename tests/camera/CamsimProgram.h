#pragma once
// lpr-camsim run as its own process, as the demo runs it: started with a command line, ready once
// it has printed its search targets, ended with SIGTERM.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace camera::test {

class CamsimProgram {
 public:
  // Starts the program with `arguments` and waits (in real time, up to `startup`) for its targets.
  explicit CamsimProgram(const std::vector<std::string>& arguments,
                         std::chrono::milliseconds startup = std::chrono::seconds(60));
  // Ends the program when it still runs.
  ~CamsimProgram();
  CamsimProgram(const CamsimProgram&) = delete;
  CamsimProgram& operator=(const CamsimProgram&) = delete;

  // "ip:port,..." as the program printed it; empty when it did not come up.
  const std::string& SearchTargets() const { return m_targets; }
  // Sends SIGTERM and waits for the end: the exit status, or -1 when it did not exit by itself in time.
  int Terminate(std::chrono::milliseconds limit = std::chrono::seconds(30));

 private:
  void ReadTargets(std::chrono::milliseconds limit);

  pid_t m_pid = -1;
  int m_output = -1;
  std::string m_targets;
};

}  // namespace camera::test
