#pragma once
// A program the test starts with pipes on its standard input and output.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts `program` with `arguments`; `environment` entries ("NAME=value") replace or add to
  // the test's own environment.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment);
  // Closes the child's input and reaps it; kills it (by its id) when it does not end in time.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  // The next line the child wrote, without its end; none when it wrote none in time.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(20));
  void WriteLine(const std::string& line);
  // The exit code; none when the child has not ended in time.
  std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  pid_t m_pid = -1;
  int m_input = -1;
  int m_output = -1;
  std::string m_buffered;
  std::optional<int> m_exitCode;
};
