// Discovery as the operator sees it: every camera that answers the search is logged in on a
// device thread and listed once in each tab, in IP order.

#include <chrono>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "batch/BatchListItem.h"
#include "batch/BatchThreads.h"
#include "batch/CountingSemaphore.h"
#include "batch/DeviceDiscovery.h"
#include "batch/DlgBatchOperationCfg.h"
#include "tests/batch/ui/BatchProgram.h"
#include "tests/support/LoopbackBlock.h"

namespace {

using camera::protocol::Operation;

std::vector<std::string> Ips(const std::vector<RowView>& rows) {
  std::vector<std::string> ips;
  for (const RowView& row : rows) ips.push_back(row.ip);
  return ips;
}

TEST(BatchDiscovery, ListsEveryCameraInEveryTabInNumericIpOrder) {
  BatchProgram program;
  for (int host : {20, 3, 100, 7}) program.AddCameraAt(host);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(4));
  const std::string prefix = program.Ip(0).substr(0, program.Ip(0).rfind('.') + 1);
  const std::vector<std::string> expected{prefix + "3", prefix + "7", prefix + "20", prefix + "100"};
  for (BatchTab tab : {kUpdateTab, kConfigTab, kSelfTab}) {
    const std::vector<RowView> rows = program.Rows(tab);
    EXPECT_EQ(Ips(rows), expected) << "tab " << tab;
    for (const RowView& row : rows) {
      EXPECT_EQ(row.port, "8080");
      EXPECT_EQ(row.version, "5.1.6.20");
      EXPECT_TRUE(row.loggedIn) << row.ip;
    }
  }
  EXPECT_TRUE(program.Close());
}

}  // namespace

namespace {

TEST(BatchDiscovery, TenCamerasAreOpenedTwoAtATimeEachAfterHalfASecond) {
  BatchProgram program;
  program.AddCameras(10);
  program.Start();
  const auto start = program.Now();
  ASSERT_TRUE(program.RunUntil([&] { return program.Rows(kConfigTab).size() >= 5; }, std::chrono::seconds(10)));
  EXPECT_GE(program.Now() - start, std::chrono::milliseconds(1500)) << "five listed after three rounds at best";
  ASSERT_TRUE(program.WaitForRows(10));
  EXPECT_GE(program.Now() - start, std::chrono::milliseconds(2500));
  EXPECT_LE(program.Now() - start, std::chrono::milliseconds(3500));
  EXPECT_TRUE(program.Close());
}

TEST(BatchDiscovery, ARefusedCameraIsListedEverywhereWithoutLoginAndACameraAnsweringAgainOnce) {
  BatchProgram program;
  program.AddCameras(2);
  program.Camera(1).With([](camsim::CameraState& state) { state.accounts = {{"admin", "x"}}; });
  program.Start();
  ASSERT_TRUE(program.WaitForRows(2));
  for (BatchTab tab : {kUpdateTab, kConfigTab, kSelfTab}) {
    const RowView row = program.Row(tab, program.Ip(1));
    EXPECT_FALSE(row.loggedIn);
    EXPECT_TRUE(row.loginEnabled);
    EXPECT_EQ(row.version, "");
    EXPECT_FALSE(row.actionEnabled && tab == kUpdateTab);
  }
  const std::string ip = program.Ip(0);
  EXPECT_FALSE(program.Dialog()->Discovery()->OnDeviceFound(ip.c_str(), 8080, 0, 1, 0));
  EXPECT_FALSE(program.Dialog()->Discovery()->OnDeviceFound("", 8080, 0, 1, 0));
  EXPECT_FALSE(program.Dialog()->Discovery()->OnDeviceFound(ip.c_str(), 0x10000, 0, 1, 0)) << "port 0 in 16 bits";
  program.RunFor(std::chrono::seconds(5));
  EXPECT_EQ(program.Rows(kUpdateTab).size(), 2u);
  EXPECT_EQ(program.Dialog()->Discovery()->FoundDevices().size(), 2u);
  EXPECT_TRUE(program.Close());
}

TEST(BatchDiscovery, ACameraWithoutADeviceThreadIsTakenAtItsNextAnswer) {
  BatchProgram program;
  program.Start();
  // An address of this process's own where no camera answers.
  const std::string ip = lpr::test::ProcessLoopbackPrefix() + "250";
  GetBatchThreads().SetStartsFailForTesting(true);
  EXPECT_FALSE(program.Dialog()->Discovery()->OnDeviceFound(ip.c_str(), 8080, 0, 1, 0));
  GetBatchThreads().SetStartsFailForTesting(false);
  EXPECT_TRUE(program.Dialog()->Discovery()->FoundDevices().empty());
  EXPECT_TRUE(program.Dialog()->Discovery()->OnDeviceFound(ip.c_str(), 8080, 0, 1, 0));
  EXPECT_EQ(program.Dialog()->Discovery()->FoundDevices().size(), 1u);
  EXPECT_TRUE(program.Close());
}

TEST(BatchDiscovery, CamerasStillWaitingWhenTheWindowEndsAreNotLoggedIn) {
  BatchProgram program;
  program.AddCameras(6);
  program.Start();
  // Every camera answered: two device threads hold a permit and pause before their login, four wait.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (DiscoverySlots().Waiters() < 4 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_EQ(DiscoverySlots().Waiters(), 4);
  // The window ends without its close button, as at the program's end.
  program.Destroy();
  std::size_t logins = 0;
  for (int camera = 0; camera < 6; ++camera) logins += program.Camera(camera).Calls().CountOf(Operation::Login);
  EXPECT_EQ(logins, 2u);
}

// Records when the window was hidden, on the program's clock.
class HideWatch : public ui::IMessageFilterUI {
 public:
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
    if (message == WM_SHOWWINDOW && wParam == 0 && !m_hiddenAt) m_hiddenAt = os::CurrentClock().Now();
    handled = false;
    return 0;
  }
  std::optional<os::Clock::Duration> HiddenAt() const { return m_hiddenAt; }

 private:
  std::optional<os::Clock::Duration> m_hiddenAt;
};

TEST(BatchClosing, TheWindowLeavesTheScreenBeforeTheWaitForDeviceThreads) {
  BatchProgram program;
  program.AddCameras(1);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  HideWatch watch;
  program.Driver().Run([&] { program.Dialog()->GetPaintManager()->AddMessageFilter(&watch); });
  ASSERT_TRUE(program.Close());
  ASSERT_TRUE(watch.HiddenAt()) << "the close button hides the window";
  EXPECT_GE(os::CurrentClock().Now() - *watch.HiddenAt(), std::chrono::seconds(10))
      << "hidden before the wait for device threads, which keeps its length";
}

}  // namespace
