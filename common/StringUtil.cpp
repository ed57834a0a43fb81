#include "common/StringUtil.h"

#include <algorithm>

#include "platform/os/Charset.h"

void SplitString(const std::string& text, const std::string& delimiters, std::vector<std::string>& pieces) {
  std::size_t start = 0;
  for (std::size_t found = text.find_first_of(delimiters); found != std::string::npos;
       found = text.find_first_of(delimiters, start)) {
    pieces.push_back(text.substr(start, found - start));
    start = found + 1;
  }
  pieces.push_back(text.substr(start));
}

bool ReplaceAll(std::string& text, const std::string& searched, const std::string& replacement) {
  if (searched.empty()) return false;
  bool replaced = false;
  // Searching on after the inserted text ends even when the replacement holds the searched text.
  for (std::size_t found = text.find(searched); found != std::string::npos;
       found = text.find(searched, found + replacement.size())) {
    text.replace(found, searched.size(), replacement);
    replaced = true;
  }
  return replaced;
}

std::string TrimString(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool IsAllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::u16string AnsiToWide(const std::string& text) { return os::GbkToUtf16(text); }
