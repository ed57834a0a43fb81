// The configuration tab as the operator uses it: pick a file the tool exported, import it into
// the selected cameras, watch each row's progress and final word.

#include <algorithm>

#include <gtest/gtest.h>

#include "batch/BatchThreads.h"
#include "batch/DeviceDiscovery.h"
#include "batch/DlgBatchOperationCfg.h"
#include "configtool/features/export/ConfigExport.h"
#include "platform/os/Charset.h"
#include "platform/os/File.h"
#include "tests/batch/support/CameraSettings.h"
#include "tests/batch/ui/BatchProgram.h"

namespace {

using camera::protocol::Operation;
using namespace std::chrono_literals;

constexpr char kImportDone[] = "导入完成";
constexpr char kImportFailed[] = "导入失败";
constexpr char kNotImported[] = "未导入";

class ConfigImportTab : public ::testing::Test {
 protected:
  CameraClientHandle Open(int camera) {
    return CameraClient_Open(program.Ip(camera).c_str(), 8080, "qorvt", "qorvt");
  }
  CameraSettings Settings(int camera) {
    CameraSettings settings;
    const CameraClientHandle handle = Open(camera);
    EXPECT_TRUE(ReadCameraSettings(handle, settings)) << program.Ip(camera);
    CameraClient_Close(handle);
    return settings;
  }
  void Write(int camera, const CameraSettings& settings) {
    const CameraClientHandle handle = Open(camera);
    EXPECT_TRUE(WriteCameraSettings(handle, settings));
    CameraClient_Close(handle);
  }
  // Picks the file in the tab's open-file dialog.
  void Choose(const std::string& path) {
    ASSERT_TRUE(program.ShowTab(kConfigTab));
    program.Driver().AnswerNextFileDialog(path);
    ASSERT_TRUE(program.Click("btn_browse"));
  }
  bool Settled(const std::vector<int>& cameras, const std::string& status) {
    for (int camera : cameras) {
      const RowView row = program.Row(kConfigTab, program.Ip(camera));
      if (row.busy || row.status != status) return false;
    }
    return true;
  }
  std::vector<std::string> Boxes() { return program.Driver().MessageBoxTexts(); }
  static bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  BatchProgram program;
};

TEST_F(ConfigImportTab, TheToolsFileReachesThreeSelectedCamerasSectionBySection) {
  program.AddCameras(5);
  const CameraClientHandle source = Open(0);
  ASSERT_TRUE(WriteCameraSettings(source, SampleCameraSettings()));
  CameraSettings expected;
  ASSERT_TRUE(ReadCameraSettings(source, expected));
  const ConfigExportResult exported = ExportDeviceConfig(source, program.Ip(0), AllExportOptions());
  CameraClient_Close(source);
  ASSERT_TRUE(exported.written) << exported.message;
  for (int camera = 1; camera <= 4; ++camera) Write(camera, OtherCameraSettings());
  const CameraSettings untouched = Settings(4);

  program.Start();
  ASSERT_TRUE(program.WaitForRows(5));
  Choose(exported.path);
  EXPECT_EQ(program.Driver().Text("edit_importfile"), exported.path);
  EXPECT_TRUE(program.Row(kConfigTab, program.Ip(1)).actionEnabled);
  ASSERT_TRUE(program.CheckRows(kConfigTab, {program.Ip(1), program.Ip(2), program.Ip(3)}));

  // The file names an address; with three cameras it must stay out, and the tab says so.
  program.Driver().AnswerNextMessageBox("ok");
  ASSERT_TRUE(program.Click("btn_config"));
  EXPECT_TRUE(Contains(Boxes(), "同时导入多台设备时不导入网络参数，以免多台设备使用同一IP地址！"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled({1, 2, 3}, kImportDone); }, 60s));
  program.RunFor(1s);
  EXPECT_TRUE(program.Driver().IsEnabled("btn_config"));

  for (int camera = 1; camera <= 3; ++camera) {
    const RowView row = program.Row(kConfigTab, program.Ip(camera));
    EXPECT_EQ(row.percent, "100");
    EXPECT_EQ(row.progress, 100);
    const CameraSettings actual = Settings(camera);
    EXPECT_EQ(SettingsDifferences(expected, actual), "") << program.Ip(camera);
    EXPECT_EQ(actual.loops.loops[0].points[1].x, 7u) << "the camera keeps its own loop shape";
    EXPECT_EQ(program.Camera(camera).Ip(), program.Ip(camera));
  }
  EXPECT_EQ(program.Row(kConfigTab, program.Ip(4)).status, kNotImported);
  EXPECT_EQ(SettingsDifferences(untouched, Settings(4)), "");
  ASSERT_TRUE(os::CreateDirectories(LPR_BATCH_SCREENSHOT_DIR));
  EXPECT_TRUE(program.Driver().SaveScreenshot(program.Window(), std::string(LPR_BATCH_SCREENSHOT_DIR) + "/import.png"));
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, ASingleRowTakesTheNetworkParametersWhenTheOperatorAgrees) {
  program.AddCameras(3);
  const std::string prefix = program.Ip(0).substr(0, program.Ip(0).rfind('.') + 1);
  const std::string moved = prefix + "200";
  const std::string path = program.Folder().Write(
      "moving.json", "{\n   \"net_param\" : {\n      \"dns\" : \"127.0.0.53\",\n      \"gateway\" : \"" + prefix +
                         "254\",\n      \"ip\" : \"" + moved +
                         "\",\n      \"netmask\" : \"255.255.255.0\",\n      \"port\" : 8080\n   },\n"
                         "   \"real_show\" : {\n      \"szRealData\" : \"AB\"\n   }\n}\n");
  program.Start();
  ASSERT_TRUE(program.WaitForRows(3));
  Choose(path);

  program.Driver().AnswerNextMessageBox("no");
  ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(2), "dlg_btn_import"));
  EXPECT_TRUE(Contains(Boxes(), "是否导入网络参数?"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled({2}, kImportDone); }, 30s));
  EXPECT_EQ(program.Camera(2).Ip(), program.Ip(2)) << "answered no: the camera keeps its address";

  const std::string before = program.Ip(1);
  program.Driver().AnswerNextMessageBox("yes");
  ASSERT_TRUE(program.ClickRow(kConfigTab, before, "dlg_btn_import"));
  ASSERT_TRUE(program.RunUntil(
      [&] {
        const std::vector<RowView> rows = program.Rows(kConfigTab);
        return std::any_of(rows.begin(), rows.end(),
                           [&](const RowView& row) { return row.ip == moved && row.status == kImportDone && !row.busy; });
      },
      30s));
  EXPECT_EQ(program.Camera(1).Ip(), moved);
  EXPECT_TRUE(program.Row(kConfigTab, moved).loggedIn) << "reopened under the new address";
  // The camera answering from its new address is the camera listed already.
  EXPECT_FALSE(program.Dialog()->Discovery()->OnDeviceFound(moved.c_str(), 8080, 0, 2, 0));
  EXPECT_EQ(program.Rows(kConfigTab).size(), 3u);
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, AFailingSectionEndsOnlyItsRowAndARowNotLoggedInIsSkipped) {
  program.AddCameras(4);
  program.Camera(1).Faults().Set(Operation::SetOsdParam, camsim::Fault{camera::protocol::Status::Failed});
  program.Camera(2).With([](camsim::CameraState& state) { state.accounts = {{"admin", "other"}}; });
  const CameraClientHandle source = Open(0);
  const ConfigExportResult exported = ExportDeviceConfig(source, program.Ip(0), AllExportOptions());
  CameraClient_Close(source);
  ASSERT_TRUE(exported.written);

  program.Start();
  ASSERT_TRUE(program.WaitForRows(4));
  Choose(exported.path);
  EXPECT_FALSE(program.Row(kConfigTab, program.Ip(2)).loggedIn);
  ASSERT_TRUE(program.Click("dlg_opt_config_select_all"));
  program.Driver().AnswerNextMessageBox("ok");
  ASSERT_TRUE(program.Click("btn_config"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled({0, 3}, kImportDone) && Settled({1}, kImportFailed); }, 60s));

  const RowView failed = program.Row(kConfigTab, program.Ip(1));
  EXPECT_EQ(failed.percent, "0");
  EXPECT_EQ(failed.progress, 1);
  EXPECT_TRUE(failed.actionEnabled);
  // The run stops at the failing section: nothing after the on-screen text reached the camera.
  EXPECT_EQ(program.Camera(1).Calls().CountOf(Operation::SetIoOutput), 0u);
  EXPECT_EQ(program.Camera(1).Calls().CountOf(Operation::SetRecognitionType), 1u);
  const RowView skipped = program.Row(kConfigTab, program.Ip(2));
  EXPECT_EQ(skipped.status, kNotImported);
  EXPECT_EQ(skipped.percent, "0");
  EXPECT_EQ(program.Camera(2).Calls().CountOf(Operation::SetRecognitionType), 0u);
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, AFourthImportWaitsForAPermitAndABusyRowIsNotRemoved) {
  program.AddCameras(4);
  camsim::Fault slow;
  slow.delay = 1500ms;
  slow.times = 1;
  for (int camera = 0; camera < 4; ++camera) program.Camera(camera).Faults().Set(Operation::SetOsdParam, slow);
  const std::string path = program.Folder().Write(
      "two.json", "{ \"base_param\" : { \"uBitsRecType\" : 1 }, \"osd_param\" : { \"dateFormat\" : 2 } }");
  program.Start();
  ASSERT_TRUE(program.WaitForRows(4));
  Choose(path);
  ASSERT_TRUE(program.Click("dlg_opt_config_select_all"));
  ASSERT_TRUE(program.Click("btn_config"));

  // Imports need no waits: watch in real time while three cameras answer slowly.
  bool threeWorkOneWaits = false;
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (!threeWorkOneWaits && std::chrono::steady_clock::now() < deadline) {
    int started = 0, waiting = 0;
    for (const RowView& row : program.Rows(kConfigTab)) {
      started += row.busy && row.percent == "7";
      waiting += row.busy && row.percent == "0" && row.status == "正在导入";
    }
    threeWorkOneWaits = started == 3 && waiting == 1;
  }
  EXPECT_TRUE(threeWorkOneWaits);
  program.Driver().AnswerNextMessageBox("ok");
  ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(0), "dlg_btn_remove"));
  EXPECT_EQ(Boxes().back(), "正在导入，不能移除设备！");
  EXPECT_EQ(program.Rows(kConfigTab).size(), 4u);
  ASSERT_TRUE(program.RunUntil([&] { return Settled({0, 1, 2, 3}, kImportDone); }, 30s));
  ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(0), "dlg_btn_remove"));
  EXPECT_EQ(program.Rows(kConfigTab).size(), 3u);
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, ALoopThatCannotBeReadIsNotOverwritten) {
  program.AddCameras(1);
  const CameraClientVirtualLoops before = Settings(0).loops;
  const std::string file = program.Folder().Write(
      "loop.json", "{ \"virtual_loop\" : { \"byDraw\" : 1, \"byEnable\" : 1, \"strName\" : \"B\" } }");
  program.Camera(0).Faults().Set(Operation::GetVirtualLoops, camsim::Fault{camera::protocol::Status::Failed});
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  Choose(file);
  ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(0), "dlg_btn_import"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled({0}, kImportFailed); }, 60s));
  EXPECT_EQ(program.Camera(0).Calls().CountOf(Operation::SetVirtualLoops), 0u);
  program.Camera(0).Faults().ClearAll();
  EXPECT_EQ(RecordBytes(Settings(0).loops), RecordBytes(before));
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, ARowWhoseWorkerCannotStartIsFreeAgain) {
  program.AddCameras(1);
  const std::string file = program.Folder().Write("show.json", "{ \"real_show\" : { \"szRealData\" : \"Q\" } }");
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  Choose(file);
  GetBatchThreads().SetStartsFailForTesting(true);
  ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(0), "dlg_btn_import"));
  GetBatchThreads().SetStartsFailForTesting(false);
  const RowView row = program.Row(kConfigTab, program.Ip(0));
  EXPECT_FALSE(row.busy);
  EXPECT_EQ(row.status, kImportFailed);
  EXPECT_TRUE(row.actionEnabled);
  EXPECT_TRUE(row.loginEnabled) << "the camera is not claimed";
  ASSERT_TRUE(program.ShowTab(kUpdateTab));
  EXPECT_TRUE(program.Row(kUpdateTab, program.Ip(0)).loginEnabled);
  // The window closes, and the import can be started again.
  ASSERT_TRUE(program.ShowTab(kConfigTab));
  ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(0), "dlg_btn_import"));
  ASSERT_TRUE(program.RunUntil([&] { return Settled({0}, kImportDone); }, 60s));
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, AFileSavedAsUtf8ReachesTheCameraInGbk) {
  program.AddCameras(1);
  // As a Linux editor saves it: UTF-8, with or without a byte-order mark.
  const std::string overlay = R"({ "osd_param" : { "overlaytext" : ")" + os::GbkToUtf8("出口B") + R"(" } })";
  const std::string files[] = {program.Folder().Write("plain.json", overlay),
                               program.Folder().Write("bom.json", "\xEF\xBB\xBF" + overlay)};
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    Write(0, OtherCameraSettings());
    Choose(file);
    ASSERT_TRUE(program.ClickRow(kConfigTab, program.Ip(0), "dlg_btn_import"));
    ASSERT_TRUE(program.RunUntil([&] { return Settled({0}, kImportDone); }, 60s));
    const CameraSettings settings = Settings(0);
    EXPECT_EQ(std::string(settings.osd.overlaytext), "出口B");
  }
  // A text GBK cannot hold is no file for the cameras.
  program.Driver().AnswerNextMessageBox("ok");
  Choose(program.Folder().Write("emoji.json", R"({ "osd_param" : { "overlaytext" : ")" + std::string("\xF0\x9F\x98\x80") +
                                                  R"(" } })"));
  EXPECT_EQ(Boxes().back(), "配置文件格式有误！");
  EXPECT_TRUE(program.Close());
}

TEST_F(ConfigImportTab, FileProblemsAreTheOperatorsMessages) {
  program.AddCameras(1);
  program.Start();
  ASSERT_TRUE(program.WaitForRows(1));
  ASSERT_TRUE(program.ShowTab(kConfigTab));
  EXPECT_FALSE(program.Row(kConfigTab, program.Ip(0)).actionEnabled);

  program.Driver().AnswerNextMessageBox("ok");
  ASSERT_TRUE(program.Click("btn_config"));
  EXPECT_EQ(Boxes().back(), "没有可用的配置文件！");

  program.Driver().AnswerNextMessageBox("ok");
  Choose(program.Folder().Write("broken.json", "{ \"base_param\" : [ 1, 2 ] }"));
  EXPECT_EQ(Boxes().back(), "配置文件格式有误！");
  EXPECT_FALSE(program.Row(kConfigTab, program.Ip(0)).actionEnabled);

  const std::vector<os::OpenFileRequest> requests = program.Driver().FileDialogRequests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back().title, "选择配置文件");
  EXPECT_EQ(requests.back().filterName, "Flie");
  EXPECT_EQ(requests.back().pattern, "*.json");

  // A cancelled dialog changes nothing.
  Choose("");
  EXPECT_EQ(program.Driver().Text("edit_importfile"), program.Folder().Path("broken.json"));
  EXPECT_TRUE(program.Close());
}

}  // namespace
