#pragma once
// CDialogBuilderCallbackEx: the tool's builder callback. It creates the tool's own controls and the
// list rows built from their templates by their layout class name, and hands every other name to the
// framework's extension factory. It holds no state: make one on the stack for each build.

#include "platform/ui/UIlib.h"

class CDialogBuilderCallbackEx : public ui::CJqExControlFactory {
 public:
  ui::CControlUI* CreateControl(const char* className, ui::CPaintManagerUI* manager) override;
};

// A list row built from its template `layout` with this callback, or nullptr when the template
// does not build into a `Row`.
template <typename Row>
Row* CreateRowFromTemplate(const char* layout, ui::CPaintManagerUI* manager) {
  CDialogBuilderCallbackEx callback;
  ui::CDialogBuilder builder;
  ui::CControlUI* root = builder.Create(layout, nullptr, &callback, manager);
  auto* row = dynamic_cast<Row*>(root);
  if (row == nullptr) delete root;
  return row;
}
