// Feeds LoadSkinPackage with each input twice: as a whole package file, and as the payload of a
// well-formed package, which must come back unchanged.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/SkinPackage.h"
#include "common/SkinPackageFormat.h"

namespace {

// One in-memory file, rewritten for every input.
struct InputFile {
  int fd = -1;
  std::string path;
};

const InputFile& TheInputFile() {
  static const InputFile file = [] {
    const int fd = memfd_create("skin_package", 0);
    if (fd < 0) std::abort();
    return InputFile{fd, "/proc/self/fd/" + std::to_string(fd)};
  }();
  return file;
}

void WriteInputFile(const std::uint8_t* data, std::size_t size) {
  const int fd = TheInputFile().fd;
  if (ftruncate(fd, 0) != 0) std::abort();
  if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
}

void LoadAsWholeFile(const std::uint8_t* data, std::size_t size) {
  WriteInputFile(data, size);
  std::uint32_t loadedSize = 1;
  const std::unique_ptr<unsigned char[]> loaded(LoadSkinPackage(TheInputFile().path, loadedSize));
  if (!loaded) {
    if (loadedSize != 0) std::abort();
    return;
  }
  if (size < kSkinPackageHeaderSize || loadedSize != size - kSkinPackageHeaderSize) std::abort();
  std::vector<std::uint8_t> restored(data + kSkinPackageHeaderSize, data + size);
  InvertEvenSkinBlocks(restored.data(), restored.size());
  if (loadedSize > 0 && std::memcmp(loaded.get(), restored.data(), loadedSize) != 0) std::abort();
}

void LoadAsPayload(const std::uint8_t* data, std::size_t size) {
  const std::vector<unsigned char> package = EncodeSkinPackage(data, static_cast<std::uint32_t>(size));
  WriteInputFile(package.data(), package.size());
  std::uint32_t loadedSize = 0;
  const std::unique_ptr<unsigned char[]> loaded(LoadSkinPackage(TheInputFile().path, loadedSize));
  if (!loaded || loadedSize != size || !CheckSkinHeaderCrc()) std::abort();
  if (size > 0 && std::memcmp(loaded.get(), data, size) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The loader reports every failure on stdout; libFuzzer's own output is on stderr.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LoadAsWholeFile(data, size);
  LoadAsPayload(data, size);
  return 0;
}
