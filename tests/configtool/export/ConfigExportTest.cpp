#include "configtool/features/export/ConfigExport.h"

#include <string>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "platform/os/AppDirectory.h"
#include "platform/os/Clock.h"
#include "platform/os/File.h"
#include "tests/batch/fake/FakeCameraClient.h"
#include "tests/batch/support/CameraSettings.h"
#include "tests/batch/support/TempFolder.h"

namespace {

class ConfigExportTest : public testing::Test {
 protected:
  void SetUp() override {
    os::SetClock(&m_clock);
    os::SetApplicationDirectoryForTesting(m_folder.Path());
    FakeCameraNetwork::Instance().Reset();
    FakeCameraNetwork::Instance().Add("127.0.10.1", 8080);
    m_handle = CameraClient_Open("127.0.10.1", 8080, "qorvt", "qorvt");
    WriteCameraSettings(m_handle, SampleCameraSettings());
  }
  void TearDown() override {
    FakeCameraNetwork::Instance().Reset();
    os::SetApplicationDirectoryForTesting("");
    os::SetClock(nullptr);
  }

  os::VirtualClock m_clock{os::LocalTime{2026, 2, 3, 4, 5, 6, 789, 2}};
  TempFolder m_folder;
  CameraClientHandle m_handle = 0;
};

TEST_F(ConfigExportTest, WritesTheDocumentBesideTheProgram) {
  const ConfigExportResult result = ExportDeviceConfig(m_handle, "127.0.10.1", AllExportOptions());
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.path, m_folder.Path("127.0.10.1_20260203040506.json"));
  EXPECT_EQ(result.message, "导出配置参数成功,路径:" + result.path);
  const std::optional<std::string> text = os::ReadWholeFile(result.path);
  ASSERT_TRUE(text);
  Json::Value root;
  Json::Reader reader;
  ASSERT_TRUE(reader.parse(*text, root));
  EXPECT_EQ(root["osd_param"]["overlaytext"].asString(), "收费站入口");
}

TEST_F(ConfigExportTest, RefusesWithoutOptionsAndStaysQuietWithoutACamera) {
  const ConfigExportResult none = ExportDeviceConfig(m_handle, "127.0.10.1", {});
  EXPECT_FALSE(none.written);
  EXPECT_EQ(none.message, "请至少选择一个导出项! ");
  const ConfigExportResult closed = ExportDeviceConfig(0, "127.0.10.1", AllExportOptions());
  EXPECT_FALSE(closed.written);
  EXPECT_EQ(closed.message, "");
  EXPECT_TRUE(os::ListFiles(m_folder.Path(), ".json").empty());
}

TEST_F(ConfigExportTest, ADocumentOfNothingButNullIsNoFile) {
  FakeCameraNetwork::Instance().Find("127.0.10.1", 8080)->failing = {"GetNtpParam", "GetIoOutput", "GetSerialParam"};
  const ExportOptions cases[] = {{ExportOption::Time}, {ExportOption::Output, ExportOption::Serial}};
  for (const ExportOptions& options : cases) {
    const ConfigExportResult empty = ExportDeviceConfig(m_handle, "cam", options);
    EXPECT_FALSE(empty.written);
    EXPECT_EQ(empty.message, "导出配置参数失败，请重试! ");
  }
  EXPECT_TRUE(os::ListFiles(m_folder.Path(), ".json").empty());
  // One section read is a file, with the null sections beside it.
  const ConfigExportResult some =
      ExportDeviceConfig(m_handle, "cam", {ExportOption::Time, ExportOption::Output, ExportOption::Region});
  EXPECT_TRUE(some.written);
}

TEST_F(ConfigExportTest, AFolderThatCannotBeWrittenIsReported) {
  os::SetApplicationDirectoryForTesting(m_folder.Path("missing"));
  const ConfigExportResult result = ExportDeviceConfig(m_handle, "127.0.10.1", AllExportOptions());
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.message, "导出配置参数失败，请重试! ");
}

TEST(ConfigFilePath, KeepsTheFileInTheFolder) {
  const os::LocalTime time{2026, 12, 31, 23, 59, 58, 0, 4};
  struct Case {
    const char* device;
    const char* path;
  };
  const Case cases[] = {{"192.168.1.100", "/app/192.168.1.100_20261231235958.json"},
                        {"../../etc/x", "/app/.._.._etc_x_20261231235958.json"},
                        {"", "/app/_20261231235958.json"},
                        {"相机 1", "/app/相机 1_20261231235958.json"}};
  for (const Case& c : cases) EXPECT_EQ(ConfigFilePath("/app", c.device, time), c.path) << c.device;
}

}  // namespace
