#include "batch/DeviceInfo.h"

#include <memory>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/batch/fake/FakeCameraClient.h"

namespace {

using testing::ElementsAre;

class DeviceInfoTest : public testing::Test {
 protected:
  void SetUp() override {
    FakeCameraNetwork::Instance().Reset();
    m_camera = &FakeCameraNetwork::Instance().Add("10.1.1.1", 80);
  }
  void TearDown() override { FakeCameraNetwork::Instance().Reset(); }

  std::unique_ptr<DeviceInfo> Device() {
    auto device = std::make_unique<DeviceInfo>();
    device->SetIp("10.1.1.1");
    device->SetPort(80);
    return device;
  }

  FakeCamera* m_camera = nullptr;
};

TEST_F(DeviceInfoTest, StartsWithTheDefaultLoginAndNoHandle) {
  const DeviceInfo device;
  EXPECT_EQ(device.User(), "qorvt");
  EXPECT_EQ(device.Password(), "qorvt");
  EXPECT_EQ(device.Handle(), 0);
  EXPECT_EQ(device.HardwareType(), 0);
  EXPECT_EQ(device.GetVersion3Text(), "");
  EXPECT_EQ(device.GetVersion4Text(), "");
}

TEST_F(DeviceInfoTest, OpenReadsTypeAndVersionAndReopeningClosesFirst) {
  m_camera->version = {5, 1, 16, 0};
  auto device = Device();
  EXPECT_TRUE(device->OpenDevice());
  EXPECT_NE(device->Handle(), 0);
  EXPECT_EQ(device->GetVersion3Text(), "5.1.16");
  EXPECT_EQ(device->GetVersion4Text(), "5.1.16.0");
  EXPECT_TRUE(device->OpenDevice());
  EXPECT_THAT(m_camera->calls, ElementsAre("Open(qorvt,qorvt)", "GetHardwareType()", "GetFirmwareVersion()",
                                           "Close()", "Open(qorvt,qorvt)", "GetHardwareType()",
                                           "GetFirmwareVersion()"));
  EXPECT_EQ(FakeCameraNetwork::Instance().OpenHandles(), 1);
  device.reset();
  EXPECT_EQ(FakeCameraNetwork::Instance().OpenHandles(), 0);
}

TEST_F(DeviceInfoTest, ARefusedLoginLeavesNoHandleAndNoVersion) {
  auto device = Device();
  ASSERT_TRUE(device->OpenDevice());
  device->SetLogin("admin", "wrong");
  EXPECT_FALSE(device->OpenDevice());
  EXPECT_EQ(device->Handle(), 0);
  EXPECT_EQ(device->GetVersion4Text(), "");
  EXPECT_EQ(FakeCameraNetwork::Instance().OpenHandles(), 0);
}

TEST_F(DeviceInfoTest, HardwareTypeTwoStaysOnceSeen) {
  auto device = Device();
  m_camera->hardwareType = 3;
  device->OpenDevice();
  EXPECT_EQ(device->HardwareType(), 0);
  m_camera->hardwareType = 2;
  device->OpenDevice();
  EXPECT_EQ(device->HardwareType(), 2);
  m_camera->hardwareType = 0;
  device->OpenDevice();
  EXPECT_EQ(device->HardwareType(), 2);
}

TEST_F(DeviceInfoTest, AnUnreadableVersionLeavesTheTextsEmpty) {
  m_camera->versionReadable = false;
  auto device = Device();
  EXPECT_TRUE(device->OpenDevice());
  EXPECT_EQ(device->GetVersion3Text(), "");
  EXPECT_EQ(device->GetVersion4Text(), "");
}

// A login on the window thread while a worker reopens must never leak a handle.
TEST_F(DeviceInfoTest, ConcurrentReopeningsKeepOneHandle) {
  auto device = Device();
  std::thread a([&] {
    for (int i = 0; i < 200; ++i) device->OpenDevice();
  });
  std::thread b([&] {
    for (int i = 0; i < 200; ++i) {
      device->OpenDevice();
      (void)device->Ip();
      (void)device->GetVersion4Text();
    }
  });
  a.join();
  b.join();
  EXPECT_EQ(FakeCameraNetwork::Instance().OpenHandles(), 1);
  device->CloseDevice();
  EXPECT_EQ(FakeCameraNetwork::Instance().OpenHandles(), 0);
  EXPECT_EQ(device->Handle(), 0);
}

}  // namespace
