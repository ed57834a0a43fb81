#include "platform/ui/core/UIString.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/os/Charset.h"

namespace ui {
namespace {

std::string FormatArgs(const char* format, va_list args) {
  if (format == nullptr) return {};
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.resize(static_cast<std::size_t>(needed));
  return text;
}

// The trail byte of a double-byte character may be an ASCII letter: it stays as it is.
template <typename Change>
void ChangeAsciiCase(std::string& text, Change change) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (os::IsGbkLeadByte(c)) {
      ++i;
    } else if (c < 0x80) {
      text[i] = static_cast<char>(change(c));
    }
  }
}

}  // namespace

CDuiString::CDuiString(const char* text) : m_text(text != nullptr ? text : "") {}
CDuiString::CDuiString(const char* text, std::size_t length) : m_text(text != nullptr ? std::string(text, length) : "") {}
CDuiString::CDuiString(const std::string& text) : m_text(text) {}
CDuiString::CDuiString(std::string_view text) : m_text(text) {}
CDuiString::CDuiString(char ch, std::size_t count) : m_text(count, ch) {}

char CDuiString::GetAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_text.size()) return '\0';
  return m_text[static_cast<std::size_t>(index)];
}

CDuiString& CDuiString::operator=(const char* text) {
  m_text = text != nullptr ? text : "";
  return *this;
}

CDuiString& CDuiString::operator=(const std::string& text) {
  m_text = text;
  return *this;
}

CDuiString& CDuiString::operator+=(const char* text) {
  if (text != nullptr) m_text += text;
  return *this;
}

CDuiString& CDuiString::operator+=(const CDuiString& text) {
  m_text += text.m_text;
  return *this;
}

CDuiString& CDuiString::operator+=(char ch) {
  m_text += ch;
  return *this;
}

void CDuiString::Assign(const char* text, int length) {
  if (text == nullptr) {
    m_text.clear();
  } else if (length < 0) {
    m_text = text;
  } else {
    m_text.assign(text, strnlen(text, static_cast<std::size_t>(length)));
  }
}

bool CDuiString::operator==(const char* text) const { return m_text == (text != nullptr ? text : ""); }

int CDuiString::Compare(const char* text) const { return std::strcmp(m_text.c_str(), text != nullptr ? text : ""); }

int CDuiString::CompareNoCase(const char* text) const {
  std::string mine = m_text;
  std::string theirs = text != nullptr ? text : "";
  const auto lower = [](int c) { return std::tolower(c); };
  ChangeAsciiCase(mine, lower);
  ChangeAsciiCase(theirs, lower);
  return std::strcmp(mine.c_str(), theirs.c_str());
}

CDuiString CDuiString::Left(int length) const {
  if (length <= 0) return {};
  return CDuiString(m_text.substr(0, static_cast<std::size_t>(length)));
}

CDuiString CDuiString::Mid(int start, int length) const {
  if (start < 0) start = 0;
  if (static_cast<std::size_t>(start) >= m_text.size()) return {};
  const std::size_t count = length < 0 ? std::string::npos : static_cast<std::size_t>(length);
  return CDuiString(m_text.substr(static_cast<std::size_t>(start), count));
}

CDuiString CDuiString::Right(int length) const {
  if (length <= 0) return {};
  const std::size_t count = std::min(m_text.size(), static_cast<std::size_t>(length));
  return CDuiString(m_text.substr(m_text.size() - count));
}

int CDuiString::Find(char ch, int start) const {
  if (start < 0 || static_cast<std::size_t>(start) > m_text.size()) return -1;
  const auto pos = m_text.find(ch, static_cast<std::size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CDuiString::Find(const char* text, int start) const {
  if (text == nullptr || start < 0 || static_cast<std::size_t>(start) > m_text.size()) return -1;
  const auto pos = m_text.find(text, static_cast<std::size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CDuiString::ReverseFind(char ch) const {
  const auto pos = m_text.rfind(ch);
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CDuiString::Replace(const char* from, const char* to) {
  if (from == nullptr || *from == '\0') return 0;
  const std::string needle(from);
  const std::string replacement(to != nullptr ? to : "");
  int count = 0;
  std::size_t pos = 0;
  while ((pos = m_text.find(needle, pos)) != std::string::npos) {
    m_text.replace(pos, needle.size(), replacement);
    pos += replacement.size();
    ++count;
  }
  return count;
}

void CDuiString::MakeUpper() { ChangeAsciiCase(m_text, [](int c) { return std::toupper(c); }); }

void CDuiString::MakeLower() { ChangeAsciiCase(m_text, [](int c) { return std::tolower(c); }); }

int CDuiString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  m_text = FormatArgs(format, args);
  va_end(args);
  return GetLength();
}

CDuiString operator+(const CDuiString& left, const CDuiString& right) {
  CDuiString result(left);
  result += right;
  return result;
}

CDuiString operator+(const CDuiString& left, const char* right) {
  CDuiString result(left);
  result += right;
  return result;
}

CDuiString operator+(const char* left, const CDuiString& right) {
  CDuiString result(left);
  result += right;
  return result;
}

}  // namespace ui
