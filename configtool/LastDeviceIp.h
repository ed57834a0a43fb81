#pragma once
// "user.ini" beside the tool: the raw text of the last opened IP, at most 63 bytes, no line end.

#include <string>

// The file's first 63 bytes (never half a character) without the blanks, tabs and line ends
// around them; empty when it is missing or empty.
std::string LoadLastDeviceIp(const std::string& path);
// Writes at most the first 63 bytes of `ip`; false when nothing was written.
bool SaveLastDeviceIp(const std::string& path, const std::string& ip);
