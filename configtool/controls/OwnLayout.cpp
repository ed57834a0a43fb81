#include "configtool/controls/OwnLayout.h"

#include <algorithm>
#include <string>
#include <vector>

#include "configtool/DialogBuilderCallbackEx.h"

namespace {

thread_local std::vector<std::string> t_building;

// Marks a layout as being built on this thread while it lives.
class LayoutNestingGuard {
 public:
  explicit LayoutNestingGuard(const char* layout) : m_layout(layout) {
    m_nested = std::find(t_building.begin(), t_building.end(), m_layout) != t_building.end();
    if (!m_nested) t_building.push_back(m_layout);
  }
  ~LayoutNestingGuard() {
    if (!m_nested) t_building.pop_back();
  }
  LayoutNestingGuard(const LayoutNestingGuard&) = delete;
  LayoutNestingGuard& operator=(const LayoutNestingGuard&) = delete;

  bool IsNested() const { return m_nested; }

 private:
  std::string m_layout;
  bool m_nested;
};

}  // namespace

void BuildOwnLayout(ui::CContainerUI& container, const char* layout, ui::CPaintManagerUI* manager) {
  LayoutNestingGuard guard(layout);
  ui::CControlUI* root = nullptr;
  if (!guard.IsNested()) {
    ui::CDialogBuilder builder;
    CDialogBuilderCallbackEx callback;
    root = builder.Create(layout, nullptr, &callback, manager);
  }
  if (root != nullptr) {
    container.Add(root);
  } else {
    container.RemoveAll();
  }
}

void BuildPopupLayout(ui::CPaintManagerUI& pm, HWND window, const char* layout) {
  pm.Init(window);
  ui::CDialogBuilder builder;
  CDialogBuilderCallbackEx callback;
  pm.AttachDialog(builder.Create(layout, nullptr, &callback, &pm));
}
