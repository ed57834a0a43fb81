#include "common/SkinPackage.h"

#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "common/Crc32.h"
#include "platform/os/Charset.h"
#include "platform/os/File.h"

namespace {

std::mutex g_keptHeaderMutex;
SkinPackageHeader g_keptHeader;

void KeepHeader(const SkinPackageHeader& header) {
  std::lock_guard lock(g_keptHeaderMutex);
  g_keptHeader = header;
}

bool HeaderCrcMatches(const SkinPackageHeader& header) { return header.headerCrc == ComputeSkinHeaderCrc(header); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string ErrorText(int error) {
  char buffer[256];
  return strerror_r(error, buffer, sizeof buffer);
}

// A read that ran into the end of the file leaves errno alone; say that data was missing
// rather than print a stale or "Success" text.
int ReadError(std::FILE* file, int errorAfterRead) { return std::ferror(file) != 0 ? errorAfterRead : ENODATA; }

// The console is UTF-8; the path is GBK.
std::string ConsolePath(const std::string& path) { return os::GbkToUtf8(path); }

void ReportHeaderReadFailure(const std::string& path, int error) {
  std::printf("Can't read %s : %s\n", ConsolePath(path).c_str(), ErrorText(error).c_str());
}

void ReportPayloadReadFailure(const std::string& path, int error) {
  std::printf("Can't read %s: %s\n", ConsolePath(path).c_str(), ErrorText(error).c_str());
}

// The file size, with the position back at the start; -1 (errno set) when the size cannot be had.
off_t QueryFileSize(std::FILE* file) {
  if (fseeko(file, 0, SEEK_END) != 0) return -1;
  const off_t size = ftello(file);
  if (size < 0 || fseeko(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

bool ReadItem(std::FILE* file, unsigned char* data, std::size_t length, int& error) {
  errno = 0;
  if (std::fread(data, length, 1, file) == 1) return true;
  error = ReadError(file, errno);
  return false;
}

// Block by block, then the partial block at the end.
bool ReadPayload(std::FILE* file, unsigned char* data, std::size_t length, int& error) {
  const std::size_t wholeBlocks = length / kSkinPackageBlockSize;
  for (std::size_t block = 0; block < wholeBlocks; ++block) {
    if (!ReadItem(file, data + block * kSkinPackageBlockSize, kSkinPackageBlockSize, error)) return false;
  }
  const std::size_t rest = length % kSkinPackageBlockSize;
  return rest == 0 || ReadItem(file, data + wholeBlocks * kSkinPackageBlockSize, rest, error);
}

}  // namespace

unsigned char* LoadSkinPackage(const std::string& path, std::uint32_t& size) {
  KeepHeader(SkinPackageHeader{});
  size = 0;

  const FileHandle file(os::OpenFile(path, "rb"));
  if (!file) {
    const int error = errno;
    std::printf("Can't open %s: %s\n", ConsolePath(path).c_str(), ErrorText(error).c_str());
    return nullptr;
  }

  const off_t fileSize = QueryFileSize(file.get());
  if (fileSize < 0) {
    ReportHeaderReadFailure(path, errno);
    return nullptr;
  }
  const off_t payloadLength = fileSize - static_cast<off_t>(kSkinPackageHeaderSize);

  unsigned char headerBytes[kSkinPackageHeaderSize];
  int error = 0;
  if (!ReadItem(file.get(), headerBytes, sizeof headerBytes, error)) {
    ReportHeaderReadFailure(path, error);
    return nullptr;
  }
  const SkinPackageHeader header = ParseSkinPackageHeader(headerBytes);
  KeepHeader(header);

  if (header.magic != kSkinPackageMagic) {
    std::printf("Bad Magic Number!\n");
    return nullptr;
  }
  if (!HeaderCrcMatches(header) || static_cast<off_t>(header.dataLength) != payloadLength) {
    std::printf("Bad header crc!\n");
    return nullptr;
  }

  const std::size_t length = header.dataLength;
  std::unique_ptr<unsigned char[]> payload(new (std::nothrow) unsigned char[length]);
  if (!payload) {
    ReportPayloadReadFailure(path, ENOMEM);
    return nullptr;
  }
  if (!ReadPayload(file.get(), payload.get(), length, error)) {
    ReportPayloadReadFailure(path, error);
    return nullptr;
  }

  InvertEvenSkinBlocks(payload.get(), length);
  if (ComputeCrc32(payload.get(), length) != header.dataCrc) {
    std::printf("Bad data crc!");
    return nullptr;
  }

  size = header.dataLength;
  return payload.release();
}

bool CheckSkinHeaderCrc() {
  SkinPackageHeader header;
  {
    std::lock_guard lock(g_keptHeaderMutex);
    header = g_keptHeader;
  }
  return HeaderCrcMatches(header);
}
