#include <map>
#include <mutex>

#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIContainer.h"

namespace ui {
namespace {

std::mutex g_factoryMutex;

std::map<std::string, CControlFactory::Creator>& Table() {
  static std::map<std::string, CControlFactory::Creator> table = {
      {"Control", [](CPaintManagerUI*) -> CControlUI* { return new CControlUI; }},
      {"Container", [](CPaintManagerUI*) -> CControlUI* { return new CContainerUI; }},
      {"VerticalLayout", [](CPaintManagerUI*) -> CControlUI* { return new CVerticalLayoutUI; }},
      {"HorizontalLayout", [](CPaintManagerUI*) -> CControlUI* { return new CHorizontalLayoutUI; }},
      {"TabLayout", [](CPaintManagerUI*) -> CControlUI* { return new CTabLayoutUI; }},
  };
  return table;
}

}  // namespace

bool CControlFactory::Register(const std::string& className, Creator creator) {
  std::lock_guard lock(g_factoryMutex);
  Table()[className] = std::move(creator);
  return true;
}

CControlUI* CControlFactory::Create(const std::string& className, CPaintManagerUI* manager) {
  Creator creator;
  {
    std::lock_guard lock(g_factoryMutex);
    auto it = Table().find(className);
    if (it == Table().end()) return nullptr;
    creator = it->second;
  }
  return creator(manager);
}

}  // namespace ui
