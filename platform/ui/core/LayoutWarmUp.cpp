#include "platform/ui/core/LayoutWarmUp.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string_view>

#include "platform/os/Charset.h"
#include "platform/ui/core/UIResource.h"
#include "platform/ui/render/ImageWarmUp.h"

namespace ui {
namespace {

std::string Gbk(const char* utf8) { return os::Utf8ToGbk(utf8 != nullptr ? utf8 : ""); }

// The layout's fonts by id, as the builder numbers them, and the default one.
struct LayoutFonts {
  std::map<int, FontSpec> byId;
  FontSpec fallback;
};

LayoutFonts FontsOf(const pugi::xml_node& window) {
  LayoutFonts fonts;
  int nextId = 0;
  for (pugi::xml_node node : window.children("Font")) {
    const int id = node.attribute("id").as_int(nextId);
    // As the builder numbers them: the largest id is not passed.
    nextId = id < std::numeric_limits<int>::max() ? id + 1 : id;
    FontSpec spec;
    spec.family = Gbk(node.attribute("name").value());
    spec.size = node.attribute("size").as_int(12);
    spec.bold = node.attribute("bold").as_bool();
    spec.italic = node.attribute("italic").as_bool();
    spec.underline = node.attribute("underline").as_bool();
    fonts.byId[id] = spec;
    if (node.attribute("default").as_bool()) fonts.fallback = spec;
  }
  return fonts;
}

// Each UTF-8 character of `text` that `seen` lacks goes to `into` and to `seen`.
void AddNewCharacters(std::string_view text, std::set<std::string>& seen, std::string& into) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 1;
    while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) ++length;
    const std::string character(text.substr(at, length));
    if (seen.insert(character).second) into += character;
    at += length;
  }
}

// A picture file as layouts name one (the decoder itself goes by the bytes, not the name).
bool IsPictureName(std::string_view token) {
  const std::size_t dot = token.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return false;
  std::string extension(token.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "png" || extension == "jpg" || extension == "jpeg" || extension == "bmp";
}

// The picture names in an attribute value: a plain file name, an image description
// (file='a.png' ...) or a default's attribute list that holds descriptions.
void AddPictureNames(std::string_view value, std::vector<std::string>& names) {
  constexpr std::string_view kSeparators = "'\"=";
  constexpr std::string_view kSpaces = " \t\r\n";
  std::size_t at = 0;
  while (at < value.size()) {
    const std::size_t end = std::min(value.find_first_of(kSeparators, at), value.size());
    std::string_view token = value.substr(at, end - at);
    token.remove_prefix(std::min(token.find_first_not_of(kSpaces), token.size()));
    token.remove_suffix(token.size() - std::min(token.find_last_not_of(kSpaces) + 1, token.size()));
    at = end + 1;
    if (!IsPictureName(token) || token.starts_with('/')) continue;
    std::string name = Gbk(std::string(token).c_str());
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
}

}  // namespace

std::vector<std::string> LayoutPictureNames(const std::string& xml) {
  pugi::xml_document document;
  if (!document.load_buffer(xml.data(), xml.size())) return {};
  std::vector<std::string> names;
  for (const pugi::xpath_node& found : document.child("Window").select_nodes("descendant-or-self::*")) {
    for (const pugi::xml_attribute attribute : found.node().attributes()) AddPictureNames(attribute.value(), names);
  }
  return names;
}

std::vector<FontText> LayoutTexts(const std::string& xml) {
  pugi::xml_document document;
  if (!document.load_buffer(xml.data(), xml.size())) return {};
  const pugi::xml_node window = document.child("Window");
  const LayoutFonts fonts = FontsOf(window);
  std::map<int, std::string> utf8ByFont;  // -1: the default font
  std::map<int, std::set<std::string>> seen;
  for (const pugi::xpath_node& found : window.select_nodes("descendant::*[@text]")) {
    const pugi::xml_node node = found.node();
    const int font = node.attribute("font").as_int(-1);
    const int key = fonts.byId.count(font) != 0 ? font : -1;
    AddNewCharacters(node.attribute("text").value(), seen[key], utf8ByFont[key]);
  }
  std::vector<FontText> texts;
  for (const auto& [key, utf8] : utf8ByFont) {
    texts.push_back(FontText{key < 0 ? fonts.fallback : fonts.byId.at(key), os::Utf8ToGbk(utf8)});
  }
  return texts;
}

void WarmUpFirstLayout(const std::string& layout) {
  static std::once_flag once;
  std::call_once(once, [&] {
    // As the builder reads it: the text itself, or the name of a resource.
    std::optional<std::string> xml = layout.starts_with('<') ? layout : CResourceManagerUI::LoadResource(layout);
    if (!xml) return;
    // Read here: the archive is the window thread's to replace or let go of.
    std::vector<NamedBytes> pictures;
    for (std::string& name : LayoutPictureNames(*xml)) {
      if (std::optional<std::string> bytes = CResourceManagerUI::LoadResource(name)) {
        pictures.push_back(NamedBytes{std::move(name), std::move(*bytes)});
      }
    }
    StartImageWarmUp(std::move(pictures));
    StartFontWarmUp([xml = std::move(*xml)] { return LayoutTexts(xml); });
  });
}

}  // namespace ui
