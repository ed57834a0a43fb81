#include "platform/ui/controls/UIMenu.h"

#include "platform/ui/controls/UIMenuElement.h"
#include "platform/ui/core/UIContainer.h"

namespace ui {

HWND CMenuUI::CreateMenu(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback,
                         bool hideOnPick) {
  SetHideOnPick(hideOnPick);
  return CreateWndEx(layout, parent, name, callback, WS_POPUP, WS_EX_TOOLWINDOW);
}

CMenuElementUI* CMenuUI::AppendItem(const char* name, const char* text) {
  CControlUI* root = m_pm.GetRoot();
  auto* container = root != nullptr ? static_cast<IContainerUI*>(root->GetInterface("IContainer")) : nullptr;
  if (container == nullptr) return nullptr;
  auto* item = new CMenuElementUI;
  item->SetName(name);
  item->SetText(text);
  if (!container->Add(item)) {
    delete item;
    return nullptr;
  }
  return item;
}

int CMenuUI::GetItemCount() const {
  CControlUI* root = m_pm.GetRoot();
  auto* container = root != nullptr ? static_cast<IContainerUI*>(root->GetInterface("IContainer")) : nullptr;
  return container != nullptr ? container->GetCount() : 0;
}

}  // namespace ui
