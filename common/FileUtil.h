#pragma once
// Whole-file helpers and the application folder; paths are GBK with '/' separators.

#include <cstddef>
#include <string>

// The number of reads of a 1024-byte line buffer the file takes (a line of 1023 characters or
// more counts more than once); 0 when the file cannot be opened.
int ReadTextFile(const std::string& path);

// Create or truncate the file and write the bytes. True only when there was something to write,
// every byte was written and the file closed cleanly.
bool WriteTextFile(const std::string& path, const std::string& text);
bool WriteBinaryFile(const std::string& path, const unsigned char* bytes, std::size_t length);

// True when the path exists (no access right is tested).
bool FileExists(const std::string& path);

// The folder of the running program, without a trailing '/'.
std::string GetAppDirectory();

// `text` as one name in a path: '/' and a '\' that is a character of its own become '_', and a
// name of dots only ("." or "..") becomes underscores.
std::string SafePathComponent(const std::string& text);
