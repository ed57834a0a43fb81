#include "tests/support/PrivateDisplay.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lpr::test {

PrivateDisplay::PrivateDisplay() {
  int fds[2];
  if (::pipe(fds) != 0) return;
  // The server writes its display number to this pipe once it is ready.
  const std::string fd = std::to_string(fds[1]);
  const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-br", "-nolisten", "tcp",
                        nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0) m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  std::string number;
  char c = 0;
  while (m_pid > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(fds[0]);
  if (!number.empty()) m_name = ":" + number;
}

PrivateDisplay::~PrivateDisplay() {
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGTERM);
  ::waitpid(m_pid, nullptr, 0);
}

}  // namespace lpr::test
