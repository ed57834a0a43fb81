// Layouts from the skin: any bytes given to the builder as a layout, with a paint manager to take
// the window settings, then laid out; nothing may crash or leak.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Inline layouts start with '<'; anything else would be read as a resource name. Inputs that
  // start with it already are taken whole, so that whole layout files serve as seeds.
  std::string xml = size > 0 && data[0] == '<' ? "" : "<";
  xml.append(reinterpret_cast<const char*>(data), size);
  ui::CPaintManagerUI manager;
  ui::CDialogBuilder builder;
  std::unique_ptr<ui::CControlUI> root(builder.Create(xml.c_str(), nullptr, nullptr, &manager));
  if (root != nullptr) root->SetPos(RECT{0, 0, 640, 480});
  return 0;
}
