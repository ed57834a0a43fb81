#pragma once
// The fixture of the dialog tests: the main window with its simulated cameras (MainWindowTest),
// and what the dialog tests share: the dialog windows by name, their option states, list rows,
// message boxes, screenshots, and the local-address list the network dialog sends from.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <string>

#include "configtool/controls/JqListTextElementUI.h"
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

  // The rows of a dialog's list: how many (-1 without the list), and the column texts of one.
  int ListRowCount(const char* list) {
    return Driver().Get<int>([&] {
      auto* control = dynamic_cast<ui::CListUI*>(Driver().Control(list));
      return control != nullptr ? control->GetCount() : -1;
    });
  }
  template <std::size_t Columns>
  std::array<std::string, Columns> ListRowTexts(const char* list, int index) {
    return Driver().Get<std::array<std::string, Columns>>([&] {
      std::array<std::string, Columns> texts;
      auto* control = dynamic_cast<ui::CListUI*>(Driver().Control(list));
      auto* row = control != nullptr ? dynamic_cast<CJqListTextElementUI*>(control->GetItemAt(index)) : nullptr;
      for (std::size_t i = 0; row != nullptr && i < Columns; ++i) texts[i] = row->GetText(static_cast<int>(i)).Str();
      return texts;
    });
  }

  // Waits for the next message box (a job's end, say), answers it and returns its text.
  std::string AwaitMessageBox(const std::string& button = "ok",
                              std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    harness.Eventually([&] { return Driver().OpenMessageBoxText().has_value(); }, limit);
    return harness.DismissMessageBox(button);
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
