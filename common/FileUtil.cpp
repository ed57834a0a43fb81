#include "common/FileUtil.h"

#include <cstdio>

#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"

namespace {

bool WriteFile(const std::string& path, const char* mode, const void* bytes, std::size_t length) {
  std::FILE* file = os::OpenFile(path, mode);
  if (file == nullptr) return false;
  const std::size_t written = length == 0 ? 0 : std::fwrite(bytes, 1, length, file);
  // Buffered bytes reach the disk only at close; a full disk shows there.
  const bool closed = std::fclose(file) == 0;
  return length > 0 && written == length && closed;
}

}  // namespace

int ReadTextFile(const std::string& path) {
  std::FILE* file = os::OpenFile(path, "r");
  if (file == nullptr) return 0;
  char line[1024];
  int count = 0;
  while (std::fgets(line, sizeof line, file) != nullptr) ++count;
  std::fclose(file);
  return count;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  return WriteFile(path, "w+", text.data(), text.size());
}

bool WriteBinaryFile(const std::string& path, const unsigned char* bytes, std::size_t length) {
  return WriteFile(path, "wb+", bytes, length);
}

bool FileExists(const std::string& path) { return os::PathExists(path); }

std::string GetAppDirectory() { return os::GetApplicationDirectory(); }
