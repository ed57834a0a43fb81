#pragma once
// The fixture of the dialog tests: the main window with its simulated cameras (MainWindowTest),
// and what the dialog tests share: the dialog windows by name, their option states, screenshots,
// and the local-address list the network dialog sends from.

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/configtool/support/MainWindowTest.h"

namespace configtool::test {

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (m_old) {
      ::setenv(m_name, m_old->c_str(), 1);
    } else {
      ::unsetenv(m_name);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

class DialogTest : public MainWindowTest {
 protected:
  // The dialog with this window name, once it is there (nullptr when it does not come).
  HWND WaitForDialog(const char* name) { return Driver().WaitForWindow(name, std::chrono::seconds(5)); }
  bool IsOpen(const char* name) { return Driver().FindWindow(name) != nullptr; }

  bool IsSelected(const char* option) {
    return Driver().Get<bool>([&] {
      auto* control = dynamic_cast<ui::COptionUI*>(Driver().Control(option));
      return control != nullptr && control->IsSelected();
    });
  }

  // The loopback network of this test's cameras, "127.a.b.", for addresses of the test's own.
  std::string LocalNetwork() {
    const std::string ip = harness.Camera(0).Ip();
    return ip.substr(0, ip.rfind('.') + 1);
  }

  // Saves the window beside the test binary, for a look at the dialog.
  void SaveScreenshot(HWND window, const std::string& file) {
    EXPECT_TRUE(Driver().SaveScreenshot(window, std::string(LPR_TEST_OUTPUT_DIR) + "/" + file)) << file;
  }
};

}  // namespace configtool::test
