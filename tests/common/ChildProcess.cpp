#include "tests/common/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
  std::vector<std::string> merged(overrides);
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    bool overridden = false;
    for (const std::string& o : overrides) overridden = overridden || o.rfind(name, 0) == 0;
    if (!overridden) merged.push_back(text);
  }
  return merged;
}

std::vector<char*> PointerList(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
  // A child that already ended must not take the test down when it is written to.
  ::signal(SIGPIPE, SIG_IGN);
  int input[2];
  int output[2];
  if (::pipe2(input, O_CLOEXEC) != 0) return;
  if (::pipe2(output, O_CLOEXEC) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);

  std::vector<std::string> argumentTexts{program};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environmentTexts = MergedEnvironment(environment);
  std::vector<char*> argv = PointerList(argumentTexts);
  std::vector<char*> envp = PointerList(environmentTexts);
  if (::posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);

  ::close(input[0]);
  ::close(output[1]);
  m_input = input[1];
  m_output = output[0];
}

ChildProcess::~ChildProcess() {
  if (m_input >= 0) ::close(m_input);
  if (m_pid > 0 && !Wait(std::chrono::seconds(10))) {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
  }
  if (m_output >= 0) ::close(m_output);
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const std::size_t end = m_buffered.find('\n');
    if (end != std::string::npos) {
      std::string line = m_buffered.substr(0, end);
      m_buffered.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd ready{m_output, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[256];
    const ssize_t count = ::read(m_output, chunk, sizeof chunk);
    if (count <= 0) return std::nullopt;  // the child closed its output
    m_buffered.append(chunk, static_cast<std::size_t>(count));
  }
}

void ChildProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  if (::write(m_input, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    ::close(m_input);
    m_input = -1;
  }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
  if (m_exitCode || m_pid <= 0) return m_exitCode;
  const auto deadline = Clock::now() + timeout;
  do {
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return m_exitCode;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (Clock::now() < deadline);
  return std::nullopt;
}
