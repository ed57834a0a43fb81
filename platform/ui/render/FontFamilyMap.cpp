#include "platform/ui/render/FontFamilyMap.h"

#include <algorithm>
#include <array>

#include "platform/os/Charset.h"

namespace ui {

const char* const kCjkSerifFamily = "Noto Serif CJK SC";
const char* const kCjkSansFamily = "Noto Sans CJK SC";

namespace {

// Chinese families of the original platform (UTF-8) and which installed family stands in for each.
struct FamilyAlias {
  const char* name;
  bool serif;
};

constexpr std::array kAliases = {
    FamilyAlias{"宋体", true},        FamilyAlias{"新宋体", true},
    FamilyAlias{"simsun", true},      FamilyAlias{"nsimsun", true},
    FamilyAlias{"仿宋", true},        FamilyAlias{"仿宋_gb2312", true},
    FamilyAlias{"fangsong", true},    FamilyAlias{"楷体", true},
    FamilyAlias{"楷体_gb2312", true}, FamilyAlias{"kaiti", true},
    FamilyAlias{"黑体", false},       FamilyAlias{"simhei", false},
    FamilyAlias{"微软雅黑", false},   FamilyAlias{"microsoft yahei", false},
    FamilyAlias{"幼圆", false},       FamilyAlias{"youyuan", false},
};

std::string AsciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c); });
  return text;
}

std::string Trimmed(std::string text) {
  const auto notSpace = [](unsigned char c) { return c != ' '; };
  text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
  text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
  return text;
}

}  // namespace

std::string MapFontFamily(std::string_view gbkFamily) {
  std::string family = os::GbkToUtf8(gbkFamily);
  // A comma would split the family list.
  std::replace(family.begin(), family.end(), ',', ' ');
  family = Trimmed(family);
  if (family.empty()) return kCjkSansFamily;
  const std::string key = AsciiLower(family);
  for (const FamilyAlias& alias : kAliases) {
    if (key == alias.name) return alias.serif ? kCjkSerifFamily : kCjkSansFamily;
  }
  // Western families keep their name where installed; Chinese characters always find the CJK font.
  return family + "," + kCjkSansFamily;
}

}  // namespace ui
