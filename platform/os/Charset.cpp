#include "platform/os/Charset.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>

namespace os {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

enum Direction { kGbkToUtf8, kUtf8ToGbk, kGbkToUtf16, kUtf16ToGbk, kDirectionCount };

struct Encodings {
  const char* from;
  const char* to;
};

constexpr std::array<Encodings, kDirectionCount> kEncodings{{
    {"GBK", "UTF-8"},
    {"UTF-8", "GBK"},
    {"GBK", kUtf16},
    {kUtf16, "GBK"},
}};

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// iconv descriptors carry conversion state, so each thread keeps its own.
class ThreadDescriptors {
 public:
  ThreadDescriptors() { m_descriptors.fill(kNoDescriptor); }
  ~ThreadDescriptors() {
    for (iconv_t descriptor : m_descriptors) {
      if (descriptor != kNoDescriptor) iconv_close(descriptor);
    }
  }
  ThreadDescriptors(const ThreadDescriptors&) = delete;
  ThreadDescriptors& operator=(const ThreadDescriptors&) = delete;

  iconv_t Get(Direction direction) {
    iconv_t& descriptor = m_descriptors[direction];
    if (descriptor == kNoDescriptor) descriptor = iconv_open(kEncodings[direction].to, kEncodings[direction].from);
    return descriptor;
  }

 private:
  std::array<iconv_t, kDirectionCount> m_descriptors;
};

// How many input bytes one unconvertible character spans, so it becomes one replacement.
std::size_t GbkCharacterLength(const unsigned char* in, std::size_t left) {
  return left >= 2 && IsGbkLeadByte(in[0]) && IsGbkTrailByte(in[1]) ? 2 : 1;
}

std::size_t Utf8CharacterLength(const unsigned char* in, std::size_t left) {
  std::size_t length = 1;
  if (in[0] >= 0xC2 && in[0] <= 0xDF) {
    length = 2;
  } else if (in[0] >= 0xE0 && in[0] <= 0xEF) {
    length = 3;
  } else if (in[0] >= 0xF0 && in[0] <= 0xF4) {
    length = 4;
  }
  if (length > left) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((in[i] & 0xC0) != 0x80) return 1;
  }
  return length;
}

std::size_t Utf16CharacterLength(const unsigned char* in, std::size_t left) {
  char16_t units[2] = {};
  std::memcpy(units, in, left >= 4 ? 4 : 2);
  const bool pair = left >= 4 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 && units[1] <= 0xDFFF;
  return pair ? 4 : 2;
}

std::size_t CharacterLength(Direction direction, const unsigned char* in, std::size_t left) {
  switch (direction) {
    case kGbkToUtf8:
    case kGbkToUtf16:
      return GbkCharacterLength(in, left);
    case kUtf8ToGbk:
      return Utf8CharacterLength(in, left);
    default:
      return Utf16CharacterLength(in, left);
  }
}

std::string_view Replacement(Direction direction) {
  static constexpr char16_t kUtf16Replacement = u'\uFFFD';  // in this machine's byte order, as kUtf16
  switch (direction) {
    case kGbkToUtf8:
      return "\xEF\xBF\xBD";
    case kGbkToUtf16:
      return std::string_view(reinterpret_cast<const char*>(&kUtf16Replacement), sizeof kUtf16Replacement);
    default:
      return "?";
  }
}

// Converts all of `input`; a character that does not convert becomes one replacement character.
std::string Convert(Direction direction, std::string_view input) {
  std::string output;
  if (input.empty()) return output;
  thread_local ThreadDescriptors descriptors;
  iconv_t descriptor = descriptors.Get(direction);
  if (descriptor == kNoDescriptor) return output;
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);

  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(descriptor, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    output.append(Replacement(direction));
    if (error != EILSEQ) break;  // EINVAL: an incomplete character ends the input
    const std::size_t skip = CharacterLength(direction, reinterpret_cast<const unsigned char*>(in), inLeft);
    in += skip;
    inLeft -= skip;
  }
  return output;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) { return Convert(kGbkToUtf8, gbk); }

std::string Utf8ToGbk(std::string_view utf8) { return Convert(kUtf8ToGbk, utf8); }

std::u16string GbkToUtf16(std::string_view gbk) {
  const std::string bytes = Convert(kGbkToUtf16, gbk);
  std::u16string utf16(bytes.size() / 2, u'\0');
  std::memcpy(utf16.data(), bytes.data(), utf16.size() * 2);
  return utf16;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  return Convert(kUtf16ToGbk, std::string_view(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2));
}

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

bool IsGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

std::size_t GbkPrefixLength(std::string_view gbk, std::size_t maxBytes) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(gbk.data());
  std::size_t length = 0;
  while (length < gbk.size()) {
    const std::size_t next = GbkCharacterLength(bytes + length, gbk.size() - length);
    if (length + next > maxBytes) break;
    length += next;
  }
  return length;
}

}  // namespace os
