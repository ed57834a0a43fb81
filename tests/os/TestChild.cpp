// Started by the process tests: proves that it ran, with what, and from where.
//   lpr-os-test-child args <file> <argument>...   writes the arguments to <file>, one a line
//   lpr-os-test-child folder <file>               writes GetApplicationDirectory() to <file>
//   lpr-os-test-child hold <file>                 runs until <file> exists (a minute at most)

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/os/AppDirectory.h"

namespace {

int WriteText(const char* path, const std::string& text) {
  const std::string partial = std::string(path) + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return 1;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  // Renamed into place so that the test never reads half a file.
  return std::rename(partial.c_str(), path) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  if (std::strcmp(argv[1], "args") == 0) {
    std::string text;
    for (int i = 3; i < argc; ++i) text += std::string(argv[i]) + "\n";
    return WriteText(argv[2], text);
  }
  if (std::strcmp(argv[1], "folder") == 0) return WriteText(argv[2], os::GetApplicationDirectory());
  if (std::strcmp(argv[1], "hold") == 0) {
    for (int i = 0; i < 6000 && access(argv[2], F_OK) != 0; ++i) usleep(10000);
    return 0;
  }
  return 2;
}
