// The export dialog against a simulated camera: its options, and the file it writes, read back
// by the batch program's loader.

#include "configtool/features/export/DlgImportExportCfg.h"

#include <filesystem>

#include "batch/ConfigFile.h"
#include "configformat/StyledJsonText.h"
#include "platform/os/AppDirectory.h"
#include "tests/batch/support/CameraSettings.h"
#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {
namespace {

constexpr const char* kDialog = "import_export_cfg";
constexpr const char* kSelectAll = "dlg_opt_select_all";
const std::string kExported = "导出配置参数成功,路径:";

class ExportDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenCameraOk();
    m_ownHandle = CameraClient_Open(harness.Camera(0).Ip().c_str(), harness.Camera(0).Port(), "qorvt", "qorvt");
    ASSERT_NE(m_ownHandle, 0);
    ASSERT_TRUE(WriteCameraSettings(m_ownHandle, SampleCameraSettings()));
    m_dialog = OpenDialog();
    ASSERT_NE(m_dialog, nullptr);
  }
  void TearDown() override {
    if (m_ownHandle != 0) CameraClient_Close(m_ownHandle);
  }
  HWND OpenDialog() {
    Driver().Click("btn_export_param");
    return WaitForDialog(kDialog);
  }
  std::vector<std::string> SectionOptions() const {
    std::vector<std::string> names;
    for (ExportOption option : AllExportOptions()) names.emplace_back(ExportOptionControlName(option));
    return names;
  }
  // Clicks "ok" and returns the path of the file the dialog reports (empty when it reports none).
  std::string Export() {
    Driver().Click("ok");
    const std::string message = harness.DismissMessageBox();
    if (message.rfind(kExported, 0) != 0) {
      m_lastMessage = message;
      return {};
    }
    return message.substr(kExported.size());
  }
  std::shared_ptr<const ConfigSections> Load(const std::string& path) {
    LoadConfigFile(path);
    EXPECT_TRUE(GetConfigFile().IsLoaded()) << path;
    return GetConfigFile().Sections();
  }

  CameraClientHandle m_ownHandle = 0;
  HWND m_dialog = nullptr;
  std::string m_lastMessage;
};

TEST_F(ExportDialogTest, StartsWithEverySectionTicked) {
  EXPECT_EQ(SectionOptions().size(), kExportOptionCount);
  EXPECT_TRUE(IsSelected(kSelectAll));
  for (const std::string& option : SectionOptions()) EXPECT_TRUE(IsSelected(option.c_str())) << option;
  SaveScreenshot(m_dialog, "export_dialog.png");
}

TEST_F(ExportDialogTest, WritesTheWholeConfigurationForTheBatchProgram) {
  const std::string path = Export();
  ASSERT_FALSE(path.empty()) << m_lastMessage;
  const std::string ip = harness.Camera(0).Ip();
  EXPECT_EQ(std::filesystem::path(path).parent_path(), harness.AppFolder());
  EXPECT_EQ(std::filesystem::path(path).filename().string().rfind(ip + "_", 0), 0u) << path;
  // The file holds what the export of every section writes.
  EXPECT_EQ(harness.ReadFile(path), StyledJsonText(BuildDeviceConfigJson(m_ownHandle, AllExportOptions())));

  const auto sections = Load(path);
  EXPECT_EQ(sections->Value(FlatSection::Net, "ip"), ip);
  EXPECT_EQ(sections->Value(FlatSection::Osd, "overlaytext"), "收费站入口");
  EXPECT_EQ(sections->Value(FlatSection::VirtualLoop, "strName"), "入口线圈");
  EXPECT_EQ(sections->Value(FlatSection::Video, "nRateval"), "25");
  EXPECT_EQ(sections->Size(IndexedSection::Output), 8u);
  EXPECT_FALSE(sections->PushText().empty());
  // The dialog stays for another export.
  EXPECT_TRUE(IsOpen(kDialog));
}

TEST_F(ExportDialogTest, WritesOnlyTheTickedSections) {
  Driver().Click(kSelectAll);
  EXPECT_FALSE(IsSelected(kSelectAll));
  for (const std::string& option : SectionOptions()) EXPECT_FALSE(IsSelected(option.c_str())) << option;
  EXPECT_EQ(Export(), "");
  EXPECT_EQ(m_lastMessage, "请至少选择一个导出项! ");

  Driver().Click("dlg_opt_net_para");
  Driver().Click("dlg_opt_region_para");
  // Ticking options by hand leaves select-all as it is.
  EXPECT_FALSE(IsSelected(kSelectAll));
  const std::string path = Export();
  ASSERT_FALSE(path.empty()) << m_lastMessage;
  const auto sections = Load(path);
  EXPECT_EQ(sections->Value(FlatSection::Net, "ip"), harness.Camera(0).Ip());
  EXPECT_GT(sections->Size(IndexedSection::Region), 0u);
  for (FlatSection other : {FlatSection::Base, FlatSection::Osd, FlatSection::Video, FlatSection::VirtualLoop,
                            FlatSection::Wlist, FlatSection::Province, FlatSection::RealShow, FlatSection::Ntp}) {
    EXPECT_EQ(sections->Size(other), 0u);
  }
  EXPECT_EQ(sections->Size(IndexedSection::Output), 0u);
  EXPECT_EQ(sections->Size(IndexedSection::Serial), 0u);
  EXPECT_TRUE(sections->PushText().empty());

  Driver().Click(kSelectAll);
  for (const std::string& option : SectionOptions()) EXPECT_TRUE(IsSelected(option.c_str())) << option;
}

TEST_F(ExportDialogTest, ReadsThatAllFailedWriteNoFile) {
  using camera::protocol::Operation;
  for (Operation read : {Operation::GetIoOutput, Operation::GetSerialParam, Operation::GetRecognitionRegion}) {
    harness.Camera(0).Faults().Set(read, {.status = camera::protocol::Status::Failed});
  }
  Driver().Click(kSelectAll);
  for (const char* option : {"dlg_opt_output", "dlg_opt_serial_port", "dlg_opt_region_para"}) Driver().Click(option);
  EXPECT_EQ(Export(), "");
  EXPECT_EQ(m_lastMessage, "导出配置参数失败，请重试! ");
  for (const auto& entry : std::filesystem::directory_iterator(harness.AppFolder())) {
    EXPECT_NE(entry.path().extension(), ".json") << entry.path();
  }
}

TEST_F(ExportDialogTest, ReportsAFileThatCannotBeWritten) {
  os::SetApplicationDirectoryForTesting((harness.AppFolder() / "missing" / "folder").string());
  EXPECT_EQ(Export(), "");
  os::SetApplicationDirectoryForTesting(harness.AppFolder().string());
  EXPECT_EQ(m_lastMessage, "导出配置参数失败，请重试! ");
  EXPECT_TRUE(IsOpen(kDialog));
}

TEST_F(ExportDialogTest, ClosingLeavesTheCameraOpen) {
  for (const char* button : {"cancel", "closebtn"}) {
    SCOPED_TRACE(button);
    if (!IsOpen(kDialog)) {
      ASSERT_NE(OpenDialog(), nullptr);
    }
    Driver().Click(button);
    EXPECT_FALSE(IsOpen(kDialog));
    EXPECT_NE(harness.DeviceState().handle, 0);
  }
  // Closing writes nothing.
  for (const auto& entry : std::filesystem::directory_iterator(harness.AppFolder())) {
    EXPECT_NE(entry.path().extension(), ".json") << entry.path();
  }
}

}  // namespace
}  // namespace configtool::test
