#pragma once
// The fixture of the main window's tests: the harness with `CameraCount()` cameras and the window
// open, and the helpers the tests share.

#include <gtest/gtest.h>

#include <string>

#include "configtool/SearchResultRecord.h"
#include "platform/os/Charset.h"
#include "tests/configtool/support/MainWindowHarness.h"

namespace configtool::test {

class MainWindowTest : public ::testing::Test {
 protected:
  virtual std::size_t CameraCount() const { return 1; }
  virtual camsim::CameraProfile Profile() const { return {}; }

  void SetUp() override {
    ASSERT_TRUE(harness.AddCameras(CameraCount(), Profile()));
    BeforeWindow();
    ASSERT_NE(harness.OpenMainWindow(), nullptr);
  }
  // Runs before the window is built (files it reads at start).
  virtual void BeforeWindow() {}

  ui::test::Driver& Driver() { return harness.Driver(); }
  std::string Text(const char* control) { return Driver().Text(control); }
  bool Enabled(const char* control) { return Driver().IsEnabled(control); }
  void SetText(const char* control, const std::string& gbk) {
    Driver().Run([&] { Driver().Control(control)->SetText(gbk.c_str()); });
  }

  // A camera found by the search, as the library reports it to the window.
  void ReportFound(const char* ip, int port, std::uint32_t idLow = 1, std::uint32_t idHigh = 2,
                   const char* netmask = "255.255.255.0", const char* gateway = "192.168.1.1") {
    SearchResultRecord* record = NewSearchResultRecord(ip, port, 0, idLow, idHigh, netmask, gateway);
    ASSERT_TRUE(os::PostMessage(harness.Window()->GetHWND(), WM_SEARCH_RESULT, 0, reinterpret_cast<LPARAM>(record)));
    Driver().WaitUntilIdle();
  }

  void OpenCameraOk(std::size_t index = 0) {
    harness.OpenCamera(index);
    ASSERT_EQ(harness.DismissMessageBox(), "");
    ASSERT_NE(harness.DeviceState().handle, 0);
  }

  MainWindowHarness harness;
};

}  // namespace configtool::test
