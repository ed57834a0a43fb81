#include "platform/ui/core/LayoutWarmUp.h"

#include <pugixml.hpp>

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string_view>

#include "platform/os/Charset.h"
#include "platform/ui/core/UIResource.h"

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
    nextId = id + 1;
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

}  // namespace

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
    StartFontWarmUp([xml = std::move(*xml)] { return LayoutTexts(xml); });
  });
}

}  // namespace ui
