#include "CamsimProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string_view>
#include <thread>

extern char** environ;

namespace camera::test {
namespace {

constexpr std::string_view kTargetsLine = "CAMERACLIENT_SEARCH_TARGETS=";

}  // namespace

CamsimProgram::CamsimProgram(const std::vector<std::string>& arguments, std::chrono::milliseconds startup) {
  int output[2];
  if (::pipe2(output, O_CLOEXEC) != 0) return;
  std::vector<std::string> words{LPR_CAMSIM_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  const int spawned = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(output[1]);
  m_output = output[0];
  if (spawned != 0) {
    m_pid = -1;
    return;
  }
  ReadTargets(startup);
}

CamsimProgram::~CamsimProgram() {
  if (m_pid > 0) Terminate();
  // Still not reaped: it did not end on SIGTERM.
  if (m_pid > 0) {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
  }
  if (m_output >= 0) ::close(m_output);
}

// The program prints its targets on one line once every camera listens.
void CamsimProgram::ReadTargets(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::string printed;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd ready{m_output, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) return;
    char chunk[4096];
    const ssize_t received = ::read(m_output, chunk, sizeof chunk);
    if (received <= 0) return;
    printed.append(chunk, static_cast<std::size_t>(received));
    const auto start = printed.find(kTargetsLine);
    if (start == std::string::npos) continue;
    const auto end = printed.find('\n', start);
    if (end == std::string::npos) continue;
    m_targets = printed.substr(start + kTargetsLine.size(), end - start - kTargetsLine.size());
    return;
  }
}

int CamsimProgram::Terminate(std::chrono::milliseconds limit) {
  if (m_pid <= 0) return -1;
  ::kill(m_pid, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t ended = ::waitpid(m_pid, &status, WNOHANG);
    if (ended == m_pid || ended < 0) {
      m_pid = -1;
      return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace camera::test
