#pragma once

#include <string>

namespace os {

// A machine-wide named mutex for the single-instance step: an flock'ed file under
// $XDG_RUNTIME_DIR (or /tmp) whose lock the kernel drops when the owning process dies.
class NamedMutex {
 public:
  enum class Result { Created, AlreadyExists, Failed };

  NamedMutex() = default;
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Creates the mutex owned by this process; AlreadyExists when another process owns it
  // (this object then owns nothing).
  Result Create(const std::string& name);
  // Releases and closes; harmless when nothing is owned.
  void Release();
  bool Owned() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

}  // namespace os
