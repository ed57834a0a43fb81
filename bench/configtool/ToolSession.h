#pragma once
// For the benchmarks that run the configuration tool's main window in this process: the skin
// package and the "light blue" styles loaded for as long as the object lives, and the camera
// opened in the main window as the operator opens it.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/test/Driver.h"

namespace bench {

class ToolSkin {
 public:
  ToolSkin();
  ~ToolSkin();
  ToolSkin(const ToolSkin&) = delete;
  ToolSkin& operator=(const ToolSkin&) = delete;

 private:
  std::unique_ptr<unsigned char[]> m_package;
};

// The camera at `ip`, port 8080, with the simulator's login, opened in the main window that the
// driver's window thread shows.
void OpenCamera(ui::test::Driver& driver, const std::string& ip);

}  // namespace bench
