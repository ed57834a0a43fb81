#include "platform/os/File.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/os/Charset.h"

namespace os {
namespace {

std::string KernelPath(const std::string& path) { return GbkToUtf8(path); }

std::optional<struct stat> Status(const std::string& path) {
  struct stat status {};
  if (::stat(KernelPath(path).c_str(), &status) != 0) return std::nullopt;
  return status;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares whole GBK characters: the suffix must start on a character of its own, and only
// single-byte characters fold their case (a trail byte that looks like a letter stays as it is).
bool EndsWithIgnoringAsciiCase(const std::string& text, const std::string& suffix) {
  if (suffix.size() > text.size()) return false;
  const std::size_t start = text.size() - suffix.size();
  if (GbkPrefixLength(text, start) != start) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char wanted = suffix[i];
    const char found = text[start + i];
    if (IsGbkLeadByte(static_cast<unsigned char>(wanted)) && i + 1 < suffix.size()) {
      if (found != wanted || text[start + i + 1] != suffix[i + 1]) return false;
      ++i;
    } else if (AsciiLower(found) != AsciiLower(wanted)) {
      return false;
    }
  }
  return true;
}

// Closes the directory stream however the listing ends.
class DirectoryStream {
 public:
  explicit DirectoryStream(const std::string& kernelPath) : m_directory(::opendir(kernelPath.c_str())) {}
  ~DirectoryStream() {
    if (m_directory != nullptr) ::closedir(m_directory);
  }
  DirectoryStream(const DirectoryStream&) = delete;
  DirectoryStream& operator=(const DirectoryStream&) = delete;

  DIR* Get() const { return m_directory; }

 private:
  DIR* m_directory;
};

}  // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
  // "e": the descriptor is not inherited by programs this one starts.
  const std::string closeOnExec = std::string(mode) + "e";
  return std::fopen(KernelPath(path).c_str(), closeOnExec.c_str());
}

bool PathExists(const std::string& path) { return ::access(KernelPath(path).c_str(), F_OK) == 0; }

bool IsDirectory(const std::string& path) {
  const auto status = Status(path);
  return status && S_ISDIR(status->st_mode);
}

bool CreateDirectory(const std::string& path) {
  if (::mkdir(KernelPath(path).c_str(), 0755) == 0) return true;
  return errno == EEXIST && IsDirectory(path);
}

bool CreateDirectories(const std::string& path) {
  if (path.empty()) return false;
  if (IsDirectory(path)) return true;
  // Each parent in turn, from the first component on; a leading '/' is the root, not a folder to make.
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string parent = path.substr(0, slash);
    if (parent.back() != '/' && !CreateDirectory(parent)) return false;
  }
  return CreateDirectory(path);
}

bool RemoveFile(const std::string& path) { return ::unlink(KernelPath(path).c_str()) == 0; }

std::optional<std::uint64_t> FileSize(const std::string& path) {
  const auto status = Status(path);
  if (!status || !S_ISREG(status->st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(status->st_size);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  DirectoryStream directory(KernelPath(folder));
  if (directory.Get() == nullptr) return names;
  while (const dirent* entry = ::readdir(directory.Get())) {
    const std::string name = Utf8ToGbk(entry->d_name);
    if (!EndsWithIgnoringAsciiCase(name, suffix)) continue;
    const auto status = Status(folder + "/" + name);
    if (status && S_ISREG(status->st_mode)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
  });
  return names;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool ReplaceFilePrivately(const std::string& path, const std::string& bytes) {
  std::string temporary = KernelPath(path) + ".XXXXXX";
  // mkstemp makes the file for the owner alone (0600) and opens it close-on-exec.
  const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return false;
  bool written = true;
  for (std::size_t done = 0; written && done < bytes.size();) {
    const ::ssize_t count = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;
    if (written) done += static_cast<std::size_t>(count);
  }
  // The bytes are on the disk before the name points at them.
  written = written && ::fsync(descriptor) == 0;
  written = ::close(descriptor) == 0 && written;
  if (written && ::rename(temporary.c_str(), KernelPath(path).c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = OpenFile(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace os
