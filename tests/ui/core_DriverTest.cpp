// The test driver: its hand-over of work to the window thread, and what it leaves behind.

#include "platform/ui/test/Driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/NativeDialogs.h"
#include "platform/ui/core/NativeWindow.h"

namespace ui::testing {
namespace {

TEST(DriverTest, CodeTheDriverGaveUpWaitingForNeverRunsLater) {
  std::promise<std::unique_ptr<test::Driver>> made;
  std::atomic<bool> serve{false};
  // A window thread that is busy elsewhere until the driver has given up on it.
  std::thread windowThread([&] {
    test::DriverOptions options;
    options.idleTimeout = std::chrono::milliseconds(50);
    made.set_value(test::Driver::AttachToCurrentThread(options));
    while (!serve) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);  // the turn of the work queued meanwhile
  });
  std::unique_ptr<test::Driver> driver = made.get_future().get();
  auto ran = std::make_shared<std::atomic<int>>(0);
  EXPECT_FALSE(driver->Run([ran] { ++*ran; }));
  serve = true;
  windowThread.join();
  EXPECT_EQ(*ran, 0);
}

TEST(DriverTest, AtItsEndTheDialogHandlersItFoundAreBack) {
  std::vector<std::string> shown;
  os::SetPlainMessageBoxHandler([&](HWND, const std::string& text, const std::string&) { shown.push_back(text); });
  os::SetOpenFileDialogHandler([](const os::OpenFileRequest&) { return std::string("/tmp/found.csv"); });
  for (bool ownThread : {true, false}) {
    SCOPED_TRACE(ownThread ? "own window thread" : "attached");
    std::unique_ptr<test::Driver> driver =
        ownThread ? std::make_unique<test::Driver>() : test::Driver::AttachToCurrentThread();
    os::ShowPlainMessageBox(nullptr, "to the driver", "");
    EXPECT_EQ(os::ShowOpenFileDialog({}), "") << "the driver's answer: cancelled";
    EXPECT_EQ(driver->PlainMessageBoxes().size(), 1u);
    driver.reset();
    os::ShowPlainMessageBox(nullptr, "after", "");
    EXPECT_EQ(os::ShowOpenFileDialog({}), "/tmp/found.csv");
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"after", "after"}));
  os::SetPlainMessageBoxHandler({});
  os::SetOpenFileDialogHandler({});
}

}  // namespace
}  // namespace ui::testing
