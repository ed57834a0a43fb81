// The test driver's hand-over of work to the window thread.

#include "platform/ui/test/Driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

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

}  // namespace
}  // namespace ui::testing
