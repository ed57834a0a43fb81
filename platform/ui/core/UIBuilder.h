#pragma once
// Builds control trees from XML layouts. Layout files are UTF-8 XML in the skin archive (or the
// resource folder); every attribute value is handed to the controls in GBK.
//
// A layout is either a window description, <Window size="w,h" ...> with <Font>, <Default> and
// <Style> elements followed by the root control, or a single control tree (list-row templates).
// <Include source="other.xml"/> builds another layout in place. Class names are element names
// ("VerticalLayout", "Button" ...): the framework's own classes are created first, then the
// builder callback is asked, so a program's factory sees every name the framework does not know.

#include <functional>
#include <string>

#include "platform/ui/core/UIControl.h"

namespace ui {

class CPaintManagerUI;

// The programs' control factories derive from this (through CJqExControlFactory).
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  // A new control of the class, owned by the caller from then on, or nullptr when unknown.
  virtual CControlUI* CreateControl(const char* className, CPaintManagerUI* manager) = 0;
};

// The framework's class table. The standard controls register here (one line each, from their own
// source files); the builder creates registered classes before it asks any callback.
class CControlFactory {
 public:
  using Creator = std::function<CControlUI*(CPaintManagerUI* manager)>;
  // Adds or replaces a class; returns true so that it can initialise a static.
  static bool Register(const std::string& className, Creator creator);
  // A new control of a registered (or a core) class, or nullptr.
  static CControlUI* Create(const std::string& className, CPaintManagerUI* manager);
};

class CDialogBuilder {
 public:
  CDialogBuilder();
  ~CDialogBuilder();
  CDialogBuilder(const CDialogBuilder&) = delete;
  CDialogBuilder& operator=(const CDialogBuilder&) = delete;

  // Builds the layout `xml` (a resource name, or the XML text itself when it starts with '<').
  // `type` is accepted for the calls' shape and not used. The window settings (<Window>, fonts,
  // defaults) go to `manager`; the tree is attached to `manager` only through `parent` (added to
  // it when it is a container) or later by the caller. Returns the root control, or nullptr when
  // the layout cannot be read or parsed or names a class that nobody creates at the root.
  CControlUI* Create(const char* xml, const char* type = nullptr, IDialogBuilderCallback* callback = nullptr,
                     CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
  // Builds again from the layout of the last Create.
  CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                     CControlUI* parent = nullptr);
  // Why the last Create failed, or what of the layout it left out (empty when all was built).
  const std::string& GetLastErrorMessage() const { return m_lastError; }

 private:
  std::string m_source;
  std::string m_lastError;
};

}  // namespace ui
