#include "configtool/LastDeviceIp.h"

#include <cstdio>

#include "common/FileUtil.h"
#include "platform/os/Charset.h"
#include "platform/os/File.h"

namespace {

constexpr std::size_t kLongestIp = 63;

std::string FirstCharacters(const std::string& text) { return text.substr(0, os::GbkPrefixLength(text, kLongestIp)); }

}  // namespace

std::string LoadLastDeviceIp(const std::string& path) {
  std::FILE* file = os::OpenFile(path, "r");
  if (file == nullptr) return {};
  // One byte more than is kept, so that a character across the limit is seen whole.
  char buffer[kLongestIp + 1] = {};
  const std::size_t read = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  return FirstCharacters(std::string(buffer, read).c_str());
}

bool SaveLastDeviceIp(const std::string& path, const std::string& ip) { return WriteTextFile(path, FirstCharacters(ip)); }
