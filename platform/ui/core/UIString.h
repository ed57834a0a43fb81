#pragma once
// CDuiString: the framework's text type. It holds GBK bytes, exactly as the programs store their
// texts; lengths and positions are in bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

class CDuiString {
 public:
  CDuiString() = default;
  CDuiString(const char* text);  // NOLINT: implicit, as the programs pass literals and buffers
  CDuiString(const char* text, std::size_t length);
  CDuiString(const std::string& text);  // NOLINT
  CDuiString(std::string_view text);    // NOLINT
  explicit CDuiString(char ch, std::size_t count = 1);

  const char* GetData() const { return m_text.c_str(); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT
  const std::string& Str() const { return m_text; }
  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  char GetAt(int index) const;
  char operator[](int index) const { return GetAt(index); }

  CDuiString& operator=(const char* text);
  CDuiString& operator=(const std::string& text);
  CDuiString& operator+=(const char* text);
  CDuiString& operator+=(const CDuiString& text);
  CDuiString& operator+=(char ch);
  void Append(const char* text) { *this += text; }
  void Assign(const char* text, int length = -1);

  bool operator==(const char* text) const;
  bool operator!=(const char* text) const { return !(*this == text); }
  bool operator==(const CDuiString& other) const { return m_text == other.m_text; }
  bool operator!=(const CDuiString& other) const { return m_text != other.m_text; }
  bool operator<(const CDuiString& other) const { return m_text < other.m_text; }
  // strcmp and ASCII-case-insensitive compare: <0, 0, >0.
  int Compare(const char* text) const;
  int CompareNoCase(const char* text) const;

  CDuiString Left(int length) const;
  CDuiString Mid(int start, int length = -1) const;
  CDuiString Right(int length) const;
  // Byte index of the first match at or after `start`, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  int ReverseFind(char ch) const;
  // Replaces every occurrence; returns the number of replacements.
  int Replace(const char* from, const char* to);
  void MakeUpper();
  void MakeLower();

  // printf-style formatting (no length limit).
  int Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::string m_text;
};

CDuiString operator+(const CDuiString& left, const CDuiString& right);
CDuiString operator+(const CDuiString& left, const char* right);
CDuiString operator+(const char* left, const CDuiString& right);

}  // namespace ui
