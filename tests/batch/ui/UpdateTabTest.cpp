// The two update tabs as the operator uses them: the image of the "version" folder that serves a
// camera's version, or one picked image; progress, reboot, the final word and the new version.

#include <gtest/gtest.h>

#include "batch/BatchThreads.h"
#include "platform/os/File.h"
#include "platform/os/WindowSystem.h"
#include "tests/batch/ui/BatchProgram.h"

namespace {

using camera::protocol::Operation;
using namespace std::chrono_literals;

constexpr char kUpgrading[] = "正在升级";
constexpr char kRebooting[] = "正在重启";
constexpr char kUpgradeDone[] = "升级完成";
constexpr char kUpgradeFailed[] = "升级失败";
constexpr char kImage[] = "version/lpr_5.1.7.3.bin";

struct Seen {
  std::chrono::milliseconds at;
  std::string status;
  std::string percent;
};

class UpdateTab : public ::testing::Test {
 protected:
  explicit UpdateTab(camsim::SimulatorOptions options = {}) : program(options) {}

  bool Settled(BatchTab tab, int camera, const std::string& status) {
    const RowView row = program.Row(tab, program.Ip(camera));
    return !row.busy && row.status == status;
  }
  // Runs until the row settles, noting each change of its status or percent.
  std::vector<Seen> Watch(BatchTab tab, int camera, std::chrono::milliseconds limit) {
    std::vector<Seen> seen;
    program.RunUntil(
        [&] {
          const RowView row = program.Row(tab, program.Ip(camera));
          if (seen.empty() || seen.back().status != row.status || seen.back().percent != row.percent) {
            seen.push_back({program.Now(), row.status, row.percent});
          }
          return !row.busy && seen.size() > 1;
        },
        limit);
    return seen;
  }
  std::array<int, 4> FirmwareOf(int camera) {
    return program.Camera(camera).With([](camsim::CameraState& state) { return state.firmwareVersion; });
  }

  BatchProgram program;
};

TEST_F(UpdateTab, AnUpgradeShowsItsStepsAndEndsWithTheCamerasNewVersion) {
  program.AddCameras(2);
  program.WriteImage(kImage, {5, 1, 7, 3});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(2));
  const RowView before = program.Row(kUpdateTab, program.Ip(0));
  EXPECT_EQ(before.version, "5.1.6.20");
  EXPECT_EQ(before.image, "lpr_5.1.7.3.bin") << "an image of 5.1.7 also serves cameras on 5.1.6";
  EXPECT_EQ(before.status, "未升级");
  EXPECT_TRUE(before.actionEnabled);

  const auto start = program.Now();
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(0), "dlg_btn_update"));
  const std::vector<Seen> seen = Watch(kUpdateTab, 0, 200s);
  ASSERT_GE(seen.size(), 4u);
  EXPECT_EQ(seen[0].status, kUpgrading);
  EXPECT_EQ(seen[0].percent, "0");
  EXPECT_EQ(seen[1].status, kUpgrading);
  EXPECT_EQ(seen[1].percent, "50");
  EXPECT_EQ(seen[1].at - start, 5s) << "the first poll comes 5 s after the image was sent";
  EXPECT_EQ(seen[2].status, kRebooting);
  EXPECT_EQ(seen[2].percent, "80");
  EXPECT_EQ(seen.back().status, kUpgradeDone);
  EXPECT_EQ(seen.back().percent, "100");
  // Reboot 10 s after the update ended, 20 s down, then 30 s of settling.
  EXPECT_GE(seen.back().at - seen[2].at, 50s);
  EXPECT_LE(seen.back().at - seen[2].at, 56s);

  const RowView after = program.Row(kUpdateTab, program.Ip(0));
  EXPECT_EQ(after.version, "5.1.7.3");
  EXPECT_EQ(after.progress, 100);
  EXPECT_TRUE(after.loggedIn);
  EXPECT_EQ(FirmwareOf(0), (std::array<int, 4>{5, 1, 7, 3}));
  EXPECT_EQ(program.Row(kConfigTab, program.Ip(0)).version, "5.1.7.3") << "every tab shows the new version";
  EXPECT_EQ(program.Row(kUpdateTab, program.Ip(1)).status, "未升级");
  EXPECT_EQ(FirmwareOf(1), (std::array<int, 4>{5, 1, 6, 20}));
  EXPECT_TRUE(program.Close());
}

TEST_F(UpdateTab, ABusyRowIsNeitherRemovedNorLostBySortingAndTheWindowStaysOpen) {
  program.AddCameras(3);
  program.WriteImage(kImage, {5, 1, 7, 3});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(3));
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(1), "dlg_btn_update"));
  program.RunFor(6s);
  ASSERT_EQ(program.Row(kUpdateTab, program.Ip(1)).percent, "50");

  program.Driver().AnswerNextMessageBox("ok");
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(1), "dlg_btn_remove"));
  EXPECT_EQ(program.Driver().MessageBoxTexts().back(), "正在升级，不能移除设备！");
  EXPECT_EQ(program.Rows(kUpdateTab).size(), 3u);

  // A sort rebuilds the idle rows and keeps the busy one as it is.
  ASSERT_TRUE(program.ClickHeader(kUpdateTab, "设备IP"));
  std::vector<RowView> rows = program.Rows(kUpdateTab);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].ip, program.Ip(2));
  EXPECT_EQ(rows[1].ip, program.Ip(1));
  EXPECT_TRUE(rows[1].busy);
  EXPECT_EQ(rows[1].percent, "50");

  // Another tab is shown: the close is refused all the same.
  ASSERT_TRUE(program.ShowTab(kConfigTab));
  program.Driver().AnswerNextMessageBox("ok");
  ASSERT_TRUE(program.Click("closebtn"));
  EXPECT_EQ(program.Driver().MessageBoxTexts().back(), "正在进行操作，关闭程序可能造成操作失败！");
  EXPECT_TRUE(program.Driver().Get<bool>([&] { return os::IsWindow(program.Window()); }));

  ASSERT_TRUE(program.RunUntil([&] { return Settled(kUpdateTab, 1, kUpgradeDone); }, 120s));
  // An idle row goes; the next sort brings it back.
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(0), "dlg_btn_remove"));
  EXPECT_EQ(program.Rows(kUpdateTab).size(), 2u);
  ASSERT_TRUE(program.ClickHeader(kUpdateTab, "设备IP"));
  rows = program.Rows(kUpdateTab);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].ip, program.Ip(0));

  const auto closing = program.Now();
  EXPECT_TRUE(program.Close());
  EXPECT_GE(program.Now() - closing, 10s) << "the dialog waits at least 10 s for device threads";
}

TEST_F(UpdateTab, ACameraUpgradingInOneTabIsLeftAloneByTheOthers) {
  program.AddCameras(2);
  program.WriteImage(kImage, {5, 1, 7, 3});
  const std::string file = program.Folder().Write("show.json", "{ \"real_show\" : { \"szRealData\" : \"Q\" } }");
  program.Start();
  ASSERT_TRUE(program.WaitForRows(2));
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(0), "dlg_btn_update"));

  ASSERT_TRUE(program.ShowTab(kConfigTab));
  program.Driver().AnswerNextFileDialog(file);
  ASSERT_TRUE(program.Click("btn_browse"));
  const RowView claimed = program.Row(kConfigTab, program.Ip(0));
  EXPECT_FALSE(claimed.actionEnabled);
  EXPECT_FALSE(claimed.loginEnabled);
  ASSERT_TRUE(program.Click("dlg_opt_config_select_all"));
  ASSERT_TRUE(program.Click("btn_config"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled(kConfigTab, 1, "导入完成"); }, 30s));
  EXPECT_EQ(program.Row(kConfigTab, program.Ip(0)).status, "未导入");
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::SetRealShowText), 0u);

  ASSERT_TRUE(program.RunUntil([&] { return Settled(kUpdateTab, 0, kUpgradeDone); }, 120s));
  EXPECT_TRUE(program.Row(kConfigTab, program.Ip(0)).actionEnabled) << "given back when the upgrade ended";
  EXPECT_TRUE(program.Row(kConfigTab, program.Ip(0)).loginEnabled);
  EXPECT_TRUE(program.Close());
}

TEST_F(UpdateTab, TheStartButtonWaitsASecondEvenWithNothingSelected) {
  program.AddCameras(1);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  ASSERT_TRUE(program.Click("btn_update"));
  EXPECT_FALSE(program.Driver().IsEnabled("btn_update"));
  program.RunFor(900ms);
  EXPECT_FALSE(program.Driver().IsEnabled("btn_update"));
  program.RunFor(200ms);
  EXPECT_TRUE(program.Driver().IsEnabled("btn_update"));
  EXPECT_EQ(program.Row(kUpdateTab, program.Ip(0)).status, "未升级");
  EXPECT_TRUE(program.Close());
}

TEST_F(UpdateTab, TheVersionSortComparesNumbers) {
  camsim::CameraProfile profile;
  for (const auto& version : {std::array<int, 4>{5, 1, 7, 3}, {5, 1, 16, 0}, {5, 1, 6, 20}}) {
    profile.firmwareVersion = version;
    program.AddCameras(1, profile);
  }
  program.Start();
  ASSERT_TRUE(program.WaitForRows(3));
  const auto versions = [&](BatchTab tab) {
    std::vector<std::string> texts;
    for (const RowView& row : program.Rows(tab)) texts.push_back(row.version);
    return texts;
  };
  ASSERT_TRUE(program.ClickHeader(kUpdateTab, "当前版本"));
  EXPECT_EQ(versions(kUpdateTab), (std::vector<std::string>{"5.1.16.0", "5.1.7.3", "5.1.6.20"}));
  // The direction is the program's: the next version sort, in any tab, goes the other way.
  ASSERT_TRUE(program.ClickHeader(kSelfTab, "当前版本"));
  EXPECT_EQ(versions(kSelfTab), (std::vector<std::string>{"5.1.6.20", "5.1.7.3", "5.1.16.0"}));
  ASSERT_TRUE(program.ClickHeader(kSelfTab, "设备IP"));
  EXPECT_EQ(program.Rows(kSelfTab)[0].ip, program.Ip(2)) << "the first IP sort is descending";
  ASSERT_TRUE(program.ClickHeader(kSelfTab, "设备IP"));
  EXPECT_EQ(program.Rows(kSelfTab)[0].ip, program.Ip(0));
  EXPECT_TRUE(program.Close());
}

camsim::SimulatorOptions CameraTiming(std::chrono::milliseconds updateWriting, std::chrono::milliseconds rebootDowntime) {
  camsim::SimulatorOptions options;
  options.timing.updateWriting = updateWriting;
  options.timing.rebootDowntime = rebootDowntime;
  return options;
}

class SlowUpdate : public UpdateTab {
 protected:
  SlowUpdate() : UpdateTab(CameraTiming(1000s, 20s)) {}
};

TEST_F(SlowUpdate, AnUpdateThatDoesNotFinishWithinItsPollsFailsWithoutAReboot) {
  program.AddCameras(1);
  program.WriteImage(kImage, {5, 1, 7, 3});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  const auto start = program.Now();
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(0), "dlg_btn_update"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled(kUpdateTab, 0, kUpgradeFailed); }, 400s));
  // 5 s, then 300 polls a second apart.
  EXPECT_EQ(program.Now() - start, 305s);
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::Reboot), 0u);
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::GetUpdateState), 301u);
  const RowView row = program.Row(kUpdateTab, program.Ip(0));
  EXPECT_EQ(row.percent, "0");
  EXPECT_EQ(row.progress, 1);
  EXPECT_TRUE(row.actionEnabled) << "a finished row can be started again";
  EXPECT_TRUE(program.Close());
}

class LongReboot : public UpdateTab {
 protected:
  LongReboot() : UpdateTab(CameraTiming(5s, 6min)) {}
};

TEST_F(LongReboot, TheVersionTabWaitsEightMinutesForTheRebootAndThePickedImageTabFive) {
  program.AddCameras(2);
  program.WriteImage(kImage, {5, 1, 7, 3});
  const std::string picked = program.WriteImage("picked/any name.bin", {5, 3, 1, 9});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(2));
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(0), "dlg_btn_update"));

  ASSERT_TRUE(program.ShowTab(kSelfTab));
  EXPECT_FALSE(program.Row(kSelfTab, program.Ip(1)).actionEnabled) << "no image picked yet";
  program.Driver().AnswerNextFileDialog(picked);
  ASSERT_TRUE(program.Click("btn_self_browse"));
  EXPECT_EQ(program.Driver().Text("edit_self_importfile"), picked);
  EXPECT_EQ(program.Driver().FileDialogRequests().back().title, "选择镜像文件");
  EXPECT_TRUE(program.Row(kSelfTab, program.Ip(1)).actionEnabled);
  EXPECT_FALSE(program.Row(kSelfTab, program.Ip(0)).actionEnabled) << "camera 0 upgrades in the other tab";
  ASSERT_TRUE(program.CheckRows(kSelfTab, {program.Ip(1)}));
  ASSERT_TRUE(program.Click("btn_self_update"));
  program.RunFor(3s);
  ASSERT_TRUE(os::CreateDirectories(LPR_BATCH_SCREENSHOT_DIR));
  EXPECT_TRUE(program.Driver().SaveScreenshot(program.Window(), std::string(LPR_BATCH_SCREENSHOT_DIR) + "/self.png"));

  ASSERT_TRUE(program.RunUntil(
      [&] { return Settled(kUpdateTab, 0, kUpgradeDone) && Settled(kSelfTab, 1, kUpgradeFailed); }, 20min));
  // The picked image was sent as it lies, and the camera took it, but came back too late.
  EXPECT_EQ(program.Camera(1).Calls().CountOf(Operation::Reboot), 1u);
  EXPECT_EQ(FirmwareOf(0), (std::array<int, 4>{5, 1, 7, 3}));
  EXPECT_EQ(program.Row(kUpdateTab, program.Ip(0)).version, "5.1.7.3");
  EXPECT_TRUE(program.Close());
}

TEST_F(UpdateTab, ThePickedImageTabStartsNothingWithoutAnImageAndPollsFirstAfterTwoSeconds) {
  program.AddCameras(1);
  const std::string picked = program.WriteImage("picked/lpr.bin", {5, 1, 7, 3});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  ASSERT_TRUE(program.ShowTab(kSelfTab));
  ASSERT_TRUE(program.CheckRows(kSelfTab, {program.Ip(0)}));
  ASSERT_TRUE(program.Click("btn_self_update"));
  program.RunFor(10s);
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::UpdateBegin), 0u);
  EXPECT_EQ(program.Row(kSelfTab, program.Ip(0)).status, "未升级");

  program.Driver().AnswerNextFileDialog(picked);
  ASSERT_TRUE(program.Click("btn_self_browse"));
  const auto start = program.Now();
  ASSERT_TRUE(program.Click("btn_self_update"));
  const std::vector<Seen> seen = Watch(kSelfTab, 0, 200s);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[1].status, kUpgrading);
  EXPECT_EQ(seen[1].percent, "50");
  EXPECT_EQ(seen[1].at - start, 2s) << "the first poll comes 2 s after the picked image was sent";
  EXPECT_EQ(seen.back().status, kUpgradeDone);
  EXPECT_TRUE(program.Close());
}

TEST_F(UpdateTab, AWindowDestroyedMidUpgradeStopsItsWorkerAtTheNextCheck) {
  program.AddCameras(1);
  program.WriteImage(kImage, {5, 1, 7, 3});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  ASSERT_TRUE(program.ClickRow(kUpdateTab, program.Ip(0), "dlg_btn_update"));
  program.RunFor(7s);
  ASSERT_EQ(program.Row(kUpdateTab, program.Ip(0)).percent, "50");
  program.Destroy();
  EXPECT_EQ(GetBatchThreads().Running(), 0);
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::Reboot), 0u);
}

TEST_F(UpdateTab, WorkersWaitingForAPermitWhenTheWindowEndsSendNoImage) {
  constexpr int kCameras = 5;
  program.AddCameras(kCameras);
  program.WriteImage(kImage, {5, 1, 7, 3});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(kCameras));
  ASSERT_TRUE(program.ShowTab(kUpdateTab));
  ASSERT_TRUE(program.Click("dlg_opt_update_select_all"));
  ASSERT_TRUE(program.Click("btn_update"));
  program.RunFor(2s);
  program.Destroy();
  EXPECT_EQ(GetBatchThreads().Running(), 0);
  int sent = 0;
  for (int i = 0; i < kCameras; ++i) {
    if (program.Camera(i).Calls().CountOf(Operation::UpdateBegin) > 0) ++sent;
  }
  EXPECT_EQ(sent, 3) << "three permits; the two waiting workers stop once they get theirs";
}

}  // namespace
