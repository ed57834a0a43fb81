#include "platform/os/AppDirectory.h"

#include <unistd.h>

#include <mutex>

#include "platform/os/Charset.h"

namespace os {
namespace {

std::mutex g_overrideMutex;
std::string g_override;

// The whole link target, however long.
std::string ExecutablePath() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string GetApplicationDirectory() {
  {
    std::lock_guard lock(g_overrideMutex);
    if (!g_override.empty()) return g_override;
  }
  const std::string path = ExecutablePath();
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return Utf8ToGbk(std::string_view(path).substr(0, slash));
}

void SetApplicationDirectoryForTesting(const std::string& folder) {
  std::lock_guard lock(g_overrideMutex);
  g_override = folder;
}

}  // namespace os
