#include "platform/os/Process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/os/AppDirectory.h"
#include "platform/os/Charset.h"

extern char** environ;

namespace os {
namespace {

// The child starts with no blocked signals and default dispositions, whatever this process set up.
class SpawnAttributes {
 public:
  SpawnAttributes() {
    m_ok = posix_spawnattr_init(&m_attributes) == 0;
    if (!m_ok) return;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    m_ok = posix_spawnattr_setsigmask(&m_attributes, &none) == 0 &&
           posix_spawnattr_setsigdefault(&m_attributes, &all) == 0 &&
           posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
  }
  ~SpawnAttributes() { posix_spawnattr_destroy(&m_attributes); }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;

  bool Ok() const { return m_ok; }
  const posix_spawnattr_t* Get() const { return &m_attributes; }

 private:
  posix_spawnattr_t m_attributes;
  bool m_ok = false;
};

void ReapInBackground(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to wait with: the child still runs, it only stays a zombie after it ends.
  }
}

}  // namespace

bool StartProgramBesideThis(const std::string& name, const std::vector<std::string>& arguments) {
  if (name.empty() || name.find('/') != std::string::npos) return false;
  const std::string path = GbkToUtf8(GetApplicationDirectory() + "/" + name);

  std::vector<std::string> texts{path};
  for (const std::string& argument : arguments) texts.push_back(GbkToUtf8(argument));
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  SpawnAttributes attributes;
  if (!attributes.Ok()) return false;
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, attributes.Get(), argv.data(), environ) != 0) return false;
  ReapInBackground(pid);
  return true;
}

}  // namespace os
