#include "platform/ui/core/UIBuilder.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/os/Charset.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIResource.h"

namespace ui {
namespace {

constexpr int kMaxIncludeDepth = 8;
// Deeper trees are refused: building, laying out and deleting them recurses per level.
constexpr int kMaxNesting = 128;
// Includes repeat and nest, so a few lines of layout could ask for billions of controls.
constexpr int kMaxControls = 100000;

std::string Gbk(const pugi::char_t* utf8) { return os::Utf8ToGbk(utf8 != nullptr ? utf8 : ""); }

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

class TreeBuilder {
 public:
  TreeBuilder(IDialogBuilderCallback* callback, CPaintManagerUI* manager, std::string* error)
      : m_callback(callback), m_manager(manager), m_error(error) {}

  // Builds every control element under `node` into `parent`; returns the first one built.
  CControlUI* BuildChildren(const pugi::xml_node& node, CControlUI* parent, int depth) {
    CControlUI* first = nullptr;
    for (pugi::xml_node child : node.children()) {
      if (child.type() != pugi::node_element) continue;
      CControlUI* built = Is(child.name(), "Include") ? BuildInclude(child, parent, depth) : Build(child, parent, depth);
      KeepFirst(&first, built, parent);
    }
    return first;
  }

  CControlUI* Build(const pugi::xml_node& node, CControlUI* parent, int depth) {
    if (m_nesting >= kMaxNesting) {
      *m_error = "the layout nests too deeply";
      return nullptr;
    }
    if (OverBudget()) return nullptr;
    const char* className = node.name();
    CControlUI* control = CControlFactory::Create(className, m_manager);
    if (control == nullptr && m_callback != nullptr) control = m_callback->CreateControl(className, m_manager);
    if (control == nullptr) {
      *m_error = std::string("no control class \"") + className + "\"";
      return nullptr;
    }
    ++m_built;
    ++m_nesting;
    BuildChildren(node, control, depth);
    --m_nesting;
    if (parent != nullptr) {
      auto* container = static_cast<IContainerUI*>(parent->GetInterface("IContainer"));
      if (container == nullptr || !container->Add(control)) {
        delete control;
        return nullptr;
      }
    }
    // Defaults of the class first, then the element's own attributes, with the window's fonts
    // and defaults reachable while they are applied.
    CControlUI* const placedIn = control->GetParent();
    if (m_manager != nullptr) {
      control->SetManager(m_manager, placedIn, false);
      if (const char* defaults = m_manager->GetDefaultAttributeList(className)) control->ApplyAttributeList(defaults);
    }
    for (pugi::xml_attribute attribute : node.attributes()) {
      control->SetAttribute(attribute.name(), Gbk(attribute.value()).c_str());
    }
    if (m_manager != nullptr) control->SetManager(nullptr, placedIn, false);
    return control;
  }

  CControlUI* BuildInclude(const pugi::xml_node& node, CControlUI* parent, int depth) {
    if (depth >= kMaxIncludeDepth) {
      *m_error = "includes nested too deeply";
      return nullptr;
    }
    const std::string source = Gbk(node.attribute("source").value());
    const int count = std::max(1, node.attribute("count").as_int(1));
    pugi::xml_document document;
    const auto bytes = CResourceManagerUI::LoadResource(source);
    if (!bytes.has_value() || !document.load_buffer(bytes->data(), bytes->size())) {
      *m_error = "cannot read included layout \"" + source + "\"";
      return nullptr;
    }
    CControlUI* first = nullptr;
    for (int i = 0; i < count && !OverBudget(); ++i) {
      CControlUI* built = BuildChildren(document, parent, depth + 1);
      KeepFirst(&first, built, parent);
    }
    return first;
  }

  void ApplyWindow(const pugi::xml_node& window) {
    if (m_manager == nullptr) return;
    for (pugi::xml_attribute attribute : window.attributes()) {
      const char* name = attribute.name();
      const std::string value = Gbk(attribute.value());
      if (Is(name, "size")) {
        const SIZE size = ParseSizeAttribute(value.c_str());
        m_manager->SetInitSize(static_cast<int>(size.cx), static_cast<int>(size.cy));
      } else if (Is(name, "caption")) {
        m_manager->SetCaptionRect(ParseRectAttribute(value.c_str()));
      } else if (Is(name, "sizebox")) {
        m_manager->SetSizeBox(ParseRectAttribute(value.c_str()));
      } else if (Is(name, "roundcorner")) {
        const SIZE size = ParseSizeAttribute(value.c_str());
        m_manager->SetRoundCorner(static_cast<int>(size.cx), static_cast<int>(size.cy));
      } else if (Is(name, "mininfo")) {
        const SIZE size = ParseSizeAttribute(value.c_str());
        m_manager->SetMinInfo(static_cast<int>(size.cx), static_cast<int>(size.cy));
      } else if (Is(name, "maxinfo")) {
        const SIZE size = ParseSizeAttribute(value.c_str());
        m_manager->SetMaxInfo(static_cast<int>(size.cx), static_cast<int>(size.cy));
      } else if (Is(name, "defaultfontcolor")) {
        m_manager->SetDefaultFontColor(ParseColorAttribute(value.c_str()));
      } else if (Is(name, "disabledfontcolor")) {
        m_manager->SetDefaultDisabledColor(ParseColorAttribute(value.c_str()));
      }
    }
    int nextFontId = 0;
    for (pugi::xml_node font : window.children("Font")) {
      const int id = font.attribute("id").as_int(nextFontId);
      nextFontId = id < std::numeric_limits<int>::max() ? id + 1 : id;
      const std::string family = Gbk(font.attribute("name").value());
      const int size = font.attribute("size").as_int(12);
      const bool bold = font.attribute("bold").as_bool();
      const bool underline = font.attribute("underline").as_bool();
      const bool italic = font.attribute("italic").as_bool();
      if (font.attribute("shared").as_bool()) {
        CPaintManagerUI::AddSharedFont(id, family.c_str(), size, bold, underline, italic);
      } else {
        m_manager->AddFont(id, family.c_str(), size, bold, underline, italic);
      }
      if (font.attribute("default").as_bool()) m_manager->SetDefaultFont(family.c_str(), size, bold, underline, italic);
    }
    for (pugi::xml_node defaults : window.children("Default")) {
      m_manager->AddDefaultAttributeList(Gbk(defaults.attribute("name").value()).c_str(),
                                         Gbk(defaults.attribute("value").value()).c_str());
    }
  }

  // The root control of a <Window>: its first child that is a control.
  CControlUI* BuildWindowRoot(const pugi::xml_node& window) {
    for (pugi::xml_node child : window.children()) {
      if (child.type() != pugi::node_element) continue;
      const char* name = child.name();
      if (Is(name, "Font") || Is(name, "Default") || Is(name, "Style") || Is(name, "Image")) continue;
      return Is(name, "Include") ? BuildInclude(child, nullptr, 0) : Build(child, nullptr, 0);
    }
    *m_error = "the window holds no control";
    return nullptr;
  }

 private:
  // Without a parent only the first control built is kept: nothing would own the others.
  static void KeepFirst(CControlUI** first, CControlUI* built, CControlUI* parent) {
    if (*first == nullptr) {
      *first = built;
    } else if (parent == nullptr) {
      delete built;
    }
  }

  bool OverBudget() {
    if (m_built < kMaxControls) return false;
    *m_error = "the layout holds too many controls";
    return true;
  }

  IDialogBuilderCallback* m_callback;
  CPaintManagerUI* m_manager;
  std::string* m_error;
  int m_nesting = 0;
  int m_built = 0;
};

}  // namespace

CDialogBuilder::CDialogBuilder() = default;
CDialogBuilder::~CDialogBuilder() = default;

CControlUI* CDialogBuilder::Create(const char* xml, const char*, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent) {
  m_source = xml != nullptr ? xml : "";
  return Create(callback, manager, parent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent) {
  m_lastError.clear();
  std::string text;
  if (!m_source.empty() && m_source.front() == '<') {
    text = m_source;
  } else if (auto bytes = CResourceManagerUI::LoadResource(m_source)) {
    text = std::move(*bytes);
  } else {
    m_lastError = "cannot read layout \"" + m_source + "\"";
    return nullptr;
  }
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) {
    m_lastError = std::string("layout \"") + m_source + "\": " + parsed.description();
    return nullptr;
  }
  pugi::xml_node root = document.document_element();
  TreeBuilder builder(callback, manager, &m_lastError);
  CControlUI* control = nullptr;
  if (Is(root.name(), "Window")) {
    builder.ApplyWindow(root);
    control = builder.BuildWindowRoot(root);
    if (control != nullptr && parent != nullptr) {
      auto* container = static_cast<IContainerUI*>(parent->GetInterface("IContainer"));
      if (container == nullptr || !container->Add(control)) {
        delete control;
        control = nullptr;
      }
    }
  } else {
    control = builder.BuildChildren(document, parent, 0);
  }
  return control;
}

}  // namespace ui
