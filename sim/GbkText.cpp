#include "sim/GbkText.h"

#include "platform/os/Charset.h"

namespace camsim {

bool GbkContains(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return true;
  std::size_t pos = 0;
  while (pos + needle.size() <= haystack.size()) {
    if (haystack.compare(pos, needle.size(), needle) == 0) return true;
    const bool doubleByte =
        os::IsGbkLeadByte(static_cast<unsigned char>(haystack[pos])) && pos + 1 < haystack.size();
    pos += doubleByte ? 2 : 1;
  }
  return false;
}

std::size_t GbkCut(std::string_view text, std::size_t maxBytes) { return os::GbkPrefixLength(text, maxBytes); }

}  // namespace camsim
