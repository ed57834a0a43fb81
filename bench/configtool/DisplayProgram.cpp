#include "DisplayProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

extern char** environ;

namespace bench {

DisplayProgram::DisplayProgram(const std::vector<std::string>& arguments, const std::string& display,
                               const std::filesystem::path& runtime, const Options& options) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") || text.starts_with("LPR_UI_") ||
        text.starts_with("XDG_RUNTIME_DIR=")) {
      continue;
    }
    environment.push_back(text);
  }
  environment.insert(environment.end(),
                     {"DISPLAY=" + display, "GDK_BACKEND=x11", "GSETTINGS_BACKEND=memory", "NO_AT_BRIDGE=1",
                      "XDG_RUNTIME_DIR=" + runtime.string(), "CAMERACLIENT_SEARCH_TARGETS=127.0.0.1:9",
                      "LPR_LOCAL_ADDRESSES=127.0.0.1"});
  environment.insert(environment.end(), options.environment.begin(), options.environment.end());
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = arguments;
  std::vector<char*> argv;
  for (std::string& text : args) argv.push_back(text.data());
  argv.push_back(nullptr);

  int errors[2] = {-1, -1};
  if (options.readErrors && ::pipe2(errors, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  if (options.readErrors) {
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
  } else {
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  m_start = Clock::now();
  if (posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (options.readErrors) {
    ::close(errors[1]);
    m_errors = errors[0];
  }
}

DisplayProgram::~DisplayProgram() {
  if (m_errors >= 0) ::close(m_errors);
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGKILL);
  ::waitpid(m_pid, nullptr, 0);
}

double DisplayProgram::CpuSeconds() const {
  std::ifstream file("/proc/" + std::to_string(m_pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // After the command name in parentheses: state is field 3, utime and stime are 14 and 15.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number >= 14) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::optional<std::string> DisplayProgram::NextErrorLine(Clock::time_point deadline) {
  for (;;) {
    if (const auto end = m_pending.find('\n'); end != std::string::npos) {
      std::string line = m_pending.substr(0, end);
      m_pending.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd wait{m_errors, POLLIN, 0};
    if (m_errors < 0 || left <= 0 || ::poll(&wait, 1, static_cast<int>(left)) <= 0) return std::nullopt;
    char buffer[4096];
    const ssize_t got = ::read(m_errors, buffer, sizeof buffer);
    if (got <= 0) return std::nullopt;
    m_pending.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace bench
