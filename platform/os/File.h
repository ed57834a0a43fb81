#pragma once
// File functions that take GBK paths with '/' separators; the kernel sees UTF-8.
// System code never calls fopen, open or mkdir itself.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace os {

// fopen with a GBK path; nullptr and errno set on failure.
std::FILE* OpenFile(const std::string& path, const char* mode);
bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
// Creates one folder; true when it exists afterwards.
bool CreateDirectory(const std::string& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateDirectories(const std::string& path);
bool RemoveFile(const std::string& path);
std::optional<std::uint64_t> FileSize(const std::string& path);
// Names (not paths) of the regular files in `folder` whose names end with `suffix`
// (compared without regard to ASCII case), sorted by byte value. Empty when the folder is missing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& suffix);
// Writes `bytes` into a new file beside `path` that only its owner may read and write (0600),
// flushes it to the disk and renames it over `path`. When a step fails, `path` stays as it was.
bool ReplaceFilePrivately(const std::string& path, const std::string& bytes);
// Whole-file helpers for tests and tools.
std::optional<std::string> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace os
