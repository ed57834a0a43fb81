#include "batch/VersionNumber.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

// Each part's leading digits, saturating rather than overflowing.
std::vector<std::uint64_t> VersionParts(const std::string& text) {
  constexpr std::uint64_t kLimit = UINT64_MAX / 10 - 1;
  std::vector<std::uint64_t> parts(1, 0);
  bool inDigits = true;
  for (char c : text) {
    if (c == '.') {
      parts.push_back(0);
      inDigits = true;
    } else if (inDigits && c >= '0' && c <= '9') {
      parts.back() = std::min(parts.back() * 10 + static_cast<std::uint64_t>(c - '0'), kLimit);
    } else {
      inDigits = false;
    }
  }
  return parts;
}

}  // namespace

bool VersionLess(const std::string& a, const std::string& b) {
  const std::vector<std::uint64_t> pa = VersionParts(a);
  const std::vector<std::uint64_t> pb = VersionParts(b);
  if (pa != pb) return pa < pb;
  return a < b;
}

std::string Version3Text(const std::vector<int>& version) {
  if (version.size() != 4) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d", version[0], version[1], version[2]);
  return text;
}

std::string Version4Text(const std::vector<int>& version) {
  if (version.size() != 4) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", version[0], version[1], version[2], version[3]);
  return text;
}
