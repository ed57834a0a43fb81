// The default province, the manual trigger, the reboot, the system log, the dialog openers and
// the batch program.

#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/Base64.h"
#include "tests/configtool/support/MainWindowTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

class DeviceActionsTest : public MainWindowTest {
 protected:
  template <typename Work>
  auto WithCamera(Work work) {
    return harness.Camera(0).With([&](camsim::CameraState& state) { return work(state); });
  }
  int ProvinceIndex() {
    return WithCamera([](camsim::CameraState& state) { return state.settings.province.currentIndex; });
  }
  std::pair<int, int> ProvinceCombo() {
    return Driver().Get<std::pair<int, int>>([&] {
      auto* combo = dynamic_cast<ui::CComboUI*>(Driver().Control("intell_cmb_prov"));
      return std::pair(combo->GetCount(), combo->GetCurSel());
    });
  }
  std::size_t Calls(Operation operation) { return harness.Camera(0).Calls().CountOf(operation); }
};

TEST_F(DeviceActionsTest, TheProvinceListComesFromTheCamera) {
  WithCamera([](camsim::CameraState& state) {
    std::memset(state.settings.province.list, 0, sizeof state.settings.province.list);
    std::strcpy(state.settings.province.list, "京津沪渝");
    state.settings.province.currentIndex = 2;
    return 0;
  });
  OpenCameraOk();
  EXPECT_EQ(ProvinceCombo(), std::pair(5, 3));
  EXPECT_EQ(MainWindowTest::Text("intell_cmb_prov"), "沪");
  Driver().Select("intell_cmb_prov", 0);
  EXPECT_EQ(ProvinceIndex(), -1);
  Driver().Select("intell_cmb_prov", 4);
  EXPECT_EQ(ProvinceIndex(), 3);
}

TEST_F(DeviceActionsTest, AnIndexBeyondTheListSelectsNothing) {
  WithCamera([](camsim::CameraState& state) { return state.settings.province.currentIndex = 40; });
  OpenCameraOk();
  const std::pair<int, int> combo = ProvinceCombo();
  EXPECT_GT(combo.first, 1);
  EXPECT_EQ(combo.second, -1);
}

TEST_F(DeviceActionsTest, ARefusedProvinceSaysSo) {
  OpenCameraOk();
  harness.Camera(0).Faults().Set(Operation::SetDefaultProvince, camsim::Fault{Status::Failed});
  Driver().Select("intell_cmb_prov", 2);
  EXPECT_EQ(harness.DismissMessageBox(), "设置默认省份失败，请重试! ");
}

TEST_F(DeviceActionsTest, TheManualTriggerReadsAPlate) {
  OpenCameraOk();
  Driver().Click("btn_manual_trigger");
  ASSERT_TRUE(harness.Eventually([&] { return harness.RowCount("plate_result_list") == 1; }));
  EXPECT_EQ(harness.PlateRowText(0, "lbl_result_type"), "手动触发");
}

TEST_F(DeviceActionsTest, TheRebootIsAskedFirst) {
  OpenCameraOk();
  Driver().Click("btn_device_reset");
  EXPECT_EQ(harness.DismissMessageBox("no"), "设备确定要重启吗?");
  EXPECT_EQ(Calls(Operation::Reboot), 0u);
  Driver().Click("btn_device_reset");
  EXPECT_EQ(harness.DismissMessageBox("yes"), "设备确定要重启吗?");
  EXPECT_TRUE(harness.Eventually([&] { return Calls(Operation::Reboot) == 1; }));
  // The connection stays the window's.
  EXPECT_NE(harness.DeviceState().handle, 0);
}

TEST_F(DeviceActionsTest, TheSystemLogIsSavedAsBase64) {
  OpenCameraOk();
  Driver().Click("btn_sys_log");
  EXPECT_EQ(harness.DismissMessageBox(), "生成系统日志成功! ");
  const std::string log = WithCamera([](camsim::CameraState& state) { return state.log.Text(); });
  ASSERT_FALSE(log.empty());
  const std::string saved = harness.ReadFile(harness.AppFolder() / "lpr_20260101080000.log");
  EXPECT_EQ(saved, Base64Encode(reinterpret_cast<const unsigned char*>(log.data()), log.size()));
}

TEST_F(DeviceActionsTest, AnEmptyOrUnwritableLogIsAFailure) {
  OpenCameraOk();
  // A folder in the file's place.
  std::filesystem::create_directory(harness.AppFolder() / "lpr_20260101080000.log");
  Driver().Click("btn_sys_log");
  EXPECT_EQ(harness.DismissMessageBox(), "生成系统日志失败，请重试! ");
  std::filesystem::remove(harness.AppFolder() / "lpr_20260101080000.log");
  WithCamera([](camsim::CameraState& state) {
    state.log = camsim::SystemLog();
    return 0;
  });
  Driver().Click("btn_sys_log");
  EXPECT_EQ(harness.DismissMessageBox(), "生成系统日志失败，请重试! ");
}

TEST_F(DeviceActionsTest, DialogsNeedAnOpenCamera) {
  const char* openers[] = {"btn_rule_cfg",     "btn_plate_record", "btn_wlist_cfg", "btn_videocfg",
                           "btn_export_param", "btn_encrypt_set",  "btn_more_cfg"};
  for (const char* opener : openers) {
    SCOPED_TRACE(opener);
    // The buttons are disabled while no camera is open; the opener checks all the same.
    Driver().Run([&] { Driver().Control(opener)->SetEnabled(true); });
    Driver().Click(opener);
    EXPECT_EQ(harness.DismissMessageBox(), "请先打开一台设备！");
  }
}

TEST_F(DeviceActionsTest, TheBatchProgramIsStartedBesideTheTool) {
  Driver().Click("btn_import_export_cfg");
  EXPECT_EQ(harness.DismissMessageBox(), "打开批量配置工具失败！");
  const std::filesystem::path marker = harness.AppFolder() / "started";
  const std::filesystem::path program = harness.AppFolder() / "Brenlo";
  std::ofstream(program) << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  Driver().Click("btn_import_export_cfg");
  EXPECT_EQ(harness.DismissMessageBox(), "");
  EXPECT_TRUE(harness.Eventually([&] { return std::filesystem::exists(marker); }));
}

}  // namespace
}  // namespace configtool::test
