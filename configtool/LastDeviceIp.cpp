#include "configtool/LastDeviceIp.h"

#include <cstdio>

#include "common/FileUtil.h"
#include "platform/os/Charset.h"
#include "platform/os/File.h"

namespace {

constexpr std::size_t kLongestIp = 63;

std::string FirstCharacters(const std::string& text) { return text.substr(0, os::GbkPrefixLength(text, kLongestIp)); }

// What an editor leaves around the address (a line end, blanks) is no part of it.
std::string WithoutSurroundingSpace(const std::string& text) {
  constexpr const char* kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

}  // namespace

std::string LoadLastDeviceIp(const std::string& path) {
  std::FILE* file = os::OpenFile(path, "r");
  if (file == nullptr) return {};
  // One byte more than is kept, so that a character across the limit is seen whole.
  char buffer[kLongestIp + 1] = {};
  const std::size_t read = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  return WithoutSurroundingSpace(FirstCharacters(std::string(buffer, read).c_str()));
}

bool SaveLastDeviceIp(const std::string& path, const std::string& ip) { return WriteTextFile(path, FirstCharacters(ip)); }
