// The road of a configuration between the two programs: the tool exports one camera, the batch
// program imports the file into others, and every section arrives byte for byte. Only camera
// library calls touch the cameras, so the test runs over any camera backend.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/ConfigFile.h"
#include "batch/ConfigImport.h"
#include "configtool/features/export/ConfigExport.h"
#include "platform/os/AppDirectory.h"
#include "tests/batch/support/CameraSettings.h"
#include "tests/batch/support/TempFolder.h"
#include "tests/batch/support/TestCameras.h"

namespace {

class ConfigRoundTrip : public testing::Test {
 protected:
  void SetUp() override {
    os::SetApplicationDirectoryForTesting(m_folder.Path());
    m_cameras = StartTestCameras(5);
    ASSERT_EQ(m_cameras.size(), 5u);
    m_source = CameraClient_Open(m_cameras[0].ip.c_str(), m_cameras[0].port, "qorvt", "qorvt");
    ASSERT_NE(m_source, 0);
    ASSERT_TRUE(WriteCameraSettings(m_source, SampleCameraSettings()));
    ASSERT_TRUE(ReadCameraSettings(m_source, m_expected));
    // The other cameras start from other settings, the loop with a shape of their own.
    const CameraSettings other = OtherCameraSettings();
    for (std::size_t i = 1; i < m_cameras.size(); ++i) {
      const CameraClientHandle handle = Open(i);
      ASSERT_TRUE(WriteCameraSettings(handle, other));
      CameraClient_Close(handle);
    }
  }
  void TearDown() override {
    if (m_source != 0) CameraClient_Close(m_source);
    StopTestCameras();
    os::SetApplicationDirectoryForTesting("");
  }

  CameraClientHandle Open(std::size_t camera) {
    return CameraClient_Open(m_cameras[camera].ip.c_str(), m_cameras[camera].port, "qorvt", "qorvt");
  }

  // The tool's export of the source camera, as the batch program loads it.
  std::shared_ptr<const ConfigSections> ExportAndLoad() {
    const ConfigExportResult result = ExportDeviceConfig(m_source, m_cameras[0].ip, AllExportOptions());
    EXPECT_TRUE(result.written) << result.message;
    LoadConfigFile(result.path);
    EXPECT_TRUE(GetConfigFile().IsLoaded());
    return GetConfigFile().Sections();
  }

  std::shared_ptr<DeviceInfo> Device(std::size_t camera) {
    auto device = std::make_shared<DeviceInfo>();
    device->SetIp(m_cameras[camera].ip);
    device->SetPort(static_cast<std::uint16_t>(m_cameras[camera].port));
    EXPECT_TRUE(device->OpenDevice());
    return device;
  }

  void ExpectSettingsOf(const std::shared_ptr<DeviceInfo>& device) {
    CameraSettings actual;
    ASSERT_TRUE(ReadCameraSettings(device->Handle(), actual));
    EXPECT_EQ(SettingsDifferences(m_expected, actual), "") << device->Ip();
    // The import keeps the camera's own loop shape.
    EXPECT_EQ(actual.loops.loops[0].points[1].x, 7) << device->Ip();
  }

  TempFolder m_folder;
  std::vector<TestCamera> m_cameras;
  CameraClientHandle m_source = 0;
  CameraSettings m_expected;
};

TEST_F(ConfigRoundTrip, AnImportIntoThreeCamerasAppliesEverySection) {
  const std::shared_ptr<const ConfigSections> sections = ExportAndLoad();
  ASSERT_TRUE(sections->HasNetAddress());
  const NetParamUse netParam = ChooseNetParamUse(true, 3);
  for (std::size_t camera = 1; camera <= 3; ++camera) {
    const std::shared_ptr<DeviceInfo> device = Device(camera);
    std::vector<int> percents;
    const ConfigImportOutcome outcome = RunConfigAppliers(RegisterAppliers(), *sections, device, netParam,
                                                          [&](int percent) { percents.push_back(percent); });
    EXPECT_EQ(outcome.lastResult, 1);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(percents.size(), 14u);
    // With three rows the network section stays out: every camera keeps its own address.
    EXPECT_EQ(device->Ip(), m_cameras[camera].ip);
    ExpectSettingsOf(device);
  }
}

TEST_F(ConfigRoundTrip, ASingleRowImportAlsoMovesTheCameraToTheFilesAddress) {
  const std::shared_ptr<const ConfigSections> sections = ExportAndLoad();
  CameraClientNetParam sourceNet{};
  ASSERT_EQ(CameraClient_GetNetParam(m_source, &sourceNet), 0);
  // The exported camera leaves the file's address, so that the target can take it.
  CameraClientNetParam moved = sourceNet;
  const std::string away = m_cameras[0].ip.substr(0, m_cameras[0].ip.rfind('.')) + ".200";
  std::snprintf(moved.ip, sizeof moved.ip, "%s", away.c_str());
  ASSERT_EQ(CameraClient_SetNetParam(m_source, &moved), 0);

  const std::shared_ptr<DeviceInfo> device = Device(4);
  const ConfigImportOutcome outcome =
      RunConfigAppliers(RegisterAppliers(), *sections, device, ChooseNetParamUse(true, 1), [](int) {});
  EXPECT_EQ(outcome.lastResult, 1);
  EXPECT_EQ(device->Ip(), m_cameras[0].ip);
  ASSERT_NE(device->Handle(), 0);
  CameraClientNetParam targetNet{};
  ASSERT_EQ(CameraClient_GetNetParam(device->Handle(), &targetNet), 0);
  EXPECT_EQ(RecordBytes(targetNet), RecordBytes(sourceNet));
  ExpectSettingsOf(device);
}

}  // namespace
