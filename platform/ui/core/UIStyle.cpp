#include "platform/ui/core/UIStyle.h"

#include <pugixml.hpp>

#include <memory>
#include <mutex>

#include "platform/os/Charset.h"
#include "platform/ui/core/UIResource.h"
#include "platform/ui/render/Color.h"

namespace ui {
namespace {

std::mutex g_instanceMutex;
std::unique_ptr<CStyleManagerUI>& InstanceSlot() {
  static std::unique_ptr<CStyleManagerUI> instance;
  return instance;
}

}  // namespace

void CStyleManagerUI::InitInstance() { Instance(); }

CStyleManagerUI* CStyleManagerUI::Instance() {
  std::lock_guard lock(g_instanceMutex);
  auto& slot = InstanceSlot();
  if (slot == nullptr) slot.reset(new CStyleManagerUI());
  return slot.get();
}

void CStyleManagerUI::FreeInstance() {
  std::lock_guard lock(g_instanceMutex);
  InstanceSlot().reset();
}

bool CStyleManagerUI::LoadStyles(const char* file) {
  if (file == nullptr) return false;
  const auto bytes = CResourceManagerUI::LoadResource(file);
  if (!bytes.has_value()) return false;
  pugi::xml_document document;
  if (!document.load_buffer(bytes->data(), bytes->size(), pugi::parse_default, pugi::encoding_utf8)) return false;
  pugi::xml_node root = document.child("Styles");
  if (root == nullptr) return false;
  for (pugi::xml_node style : root.children("Style")) {
    auto& colors = m_styles[os::Utf8ToGbk(style.attribute("name").as_string())];
    for (pugi::xml_node color : style.children("Color")) {
      const auto value = ParseColor(color.attribute("value").as_string());
      if (value.has_value()) colors[os::Utf8ToGbk(color.attribute("name").as_string())] = *value;
    }
  }
  return true;
}

bool CStyleManagerUI::ApplyStyle(const char* name) {
  if (name == nullptr || m_styles.count(name) == 0) return false;
  m_current = name;
  return true;
}

DWORD CStyleManagerUI::GetColor(const char* text) const {
  if (text == nullptr) return 0;
  if (const auto parsed = ParseColor(text)) return *parsed;
  auto style = m_styles.find(m_current);
  if (style == m_styles.end()) return 0;
  auto color = style->second.find(text);
  return color != style->second.end() ? color->second : 0;
}

}  // namespace ui
