#include "common/FileUtil.h"

#include <algorithm>
#include <cstdio>

#include "platform/os/AppDirectory.h"
#include "platform/os/Charset.h"
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

std::string SafePathComponent(const std::string& text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // The second byte of a double-byte character may be 0x5C; it is part of the character. A lead
    // byte before anything else (a '/' say) is no character, and the byte after it is looked at.
    if (os::IsGbkLeadByte(byte) && i + 1 < text.size() &&
        os::IsGbkTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      safe += text[i];
      safe += text[++i];
      continue;
    }
    safe += (byte == '/' || byte == '\\') ? '_' : text[i];
  }
  if (!safe.empty() && std::all_of(safe.begin(), safe.end(), [](char c) { return c == '.'; })) {
    safe.assign(safe.size(), '_');
  }
  return safe;
}
