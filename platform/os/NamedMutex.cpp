#include "platform/os/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace os {
namespace {

// Letters, digits, '_' and '-' stay; every other byte becomes %XX. Distinct names stay distinct,
// and no '/' or ".." from the name reaches the path.
std::string EncodedName(const std::string& name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    if (plain) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    }
  }
  return encoded;
}

std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  return "/tmp";
}

}  // namespace

NamedMutex::~NamedMutex() { Release(); }

NamedMutex::Result NamedMutex::Create(const std::string& name) {
  Release();
  if (name.empty()) return Result::Failed;
  const std::string path = LockFolder() + "/lpr-" + EncodedName(name) + ".lock";
  // Read-only is enough for flock, and lets another user's copy test a lock file in /tmp.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return Result::Failed;
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? Result::AlreadyExists : Result::Failed;
  }
  m_fd = fd;
  return Result::Created;
}

void NamedMutex::Release() {
  if (m_fd < 0) return;
  // Closing drops the lock. The file stays: removing it would let a later copy lock a new file
  // while an older one still holds the removed one.
  ::close(m_fd);
  m_fd = -1;
}

}  // namespace os
