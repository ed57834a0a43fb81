// The checked-in configuration file: the tool's export of a known camera gives it byte for
// byte, GBK texts unescaped, and the batch program reads those texts back unchanged.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "batch/ConfigFile.h"
#include "configformat/StyledJsonText.h"
#include "configtool/features/export/DeviceConfigJson.h"
#include "platform/os/File.h"
#include "tests/batch/support/CameraSettings.h"
#include "tests/batch/support/TestCameras.h"

namespace {

const std::string kGoldenFile = std::string(LPR_BATCH_FIXTURES) + "/device_config.json";

TEST(GoldenConfigFile, IsWhatTheExportOfTheSampleCameraWrites) {
  const std::vector<TestCamera> cameras = StartTestCameras(1);
  const CameraClientHandle handle = CameraClient_Open(cameras[0].ip.c_str(), cameras[0].port, "qorvt", "qorvt");
  ASSERT_TRUE(WriteCameraSettings(handle, SampleCameraSettings()));
  const std::string text = StyledJsonText(BuildDeviceConfigJson(handle, AllExportOptions()));
  CameraClient_Close(handle);
  StopTestCameras();

  const std::optional<std::string> golden = os::ReadWholeFile(kGoldenFile);
  ASSERT_TRUE(golden) << kGoldenFile;
  if (text != *golden) {
    const std::string actual = (std::filesystem::temp_directory_path() / "device_config.actual.json").string();
    os::WriteWholeFile(actual, text);
    ADD_FAILURE() << "the export differs from " << kGoldenFile << "; it was written to " << actual;
  }
  EXPECT_NE(golden->find("\"收费站入口\""), std::string::npos);
  EXPECT_NE(golden->find("\"欢迎光临\""), std::string::npos);
  // The only escapes are those of the control characters in the push header and end.
  EXPECT_EQ(golden->find("\\u"), golden->find("\\u0002"));
}

TEST(GoldenConfigFile, TheBatchProgramReadsItsTextsBack) {
  LoadConfigFile(kGoldenFile);
  ASSERT_TRUE(GetConfigFile().IsLoaded());
  const std::shared_ptr<const ConfigSections> sections = GetConfigFile().Sections();
  EXPECT_EQ(sections->Value(FlatSection::Osd, "overlaytext"), "收费站入口");
  EXPECT_EQ(sections->Value(FlatSection::VirtualLoop, "strName"), "入口线圈");
  EXPECT_EQ(sections->Value(FlatSection::Province, "name"), "琼");
  EXPECT_EQ(sections->Value(FlatSection::Base, "byDspAddRule"), "0");
  EXPECT_EQ(sections->Value(FlatSection::Base, "uBitsRecType"), "4294967280");
  EXPECT_EQ(sections->Value(IndexedSection::Region, 3, "Y_1000"), "800");
  EXPECT_EQ(sections->Value(IndexedSection::Serial, 1, "uBaudRate"), "115200");
  EXPECT_TRUE(sections->HasNetAddress());
  EXPECT_NE(sections->PushText().find("\"欢迎光临\""), std::string::npos);
  EXPECT_NE(sections->PushText().find("\"\\u0002头\""), std::string::npos);
}

}  // namespace
