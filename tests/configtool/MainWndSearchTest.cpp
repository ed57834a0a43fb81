// The LAN search list: rows sorted by address, the picked row, and the search's buttons.

#include "tests/configtool/support/MainWindowTest.h"

namespace configtool::test {
namespace {

class SearchTest : public MainWindowTest {
 protected:
  std::size_t CameraCount() const override { return 3; }

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < harness.RowCount("lst_device_find"); ++i) rows.push_back(harness.RowText("lst_device_find", i));
    return rows;
  }
};

TEST_F(SearchTest, FindsTheSimulatedCameras) {
  Driver().Click("btn_start_search");
  EXPECT_FALSE(Enabled("btn_start_search"));
  EXPECT_TRUE(Enabled("btn_stop_search"));
  ASSERT_TRUE(harness.Eventually([&] { return harness.RowCount("lst_device_find") == 3; }));
  const std::vector<std::string> expected = {harness.Camera(0).Address(), harness.Camera(1).Address(),
                                             harness.Camera(2).Address()};
  EXPECT_EQ(Rows(), expected);
  EXPECT_TRUE(harness.DeviceState().searching);
  Driver().Click("btn_stop_search");
  EXPECT_TRUE(Enabled("btn_start_search"));
  EXPECT_FALSE(Enabled("btn_stop_search"));
  EXPECT_FALSE(harness.DeviceState().searching);
}

TEST_F(SearchTest, RowsAreSortedByAddressNumbers) {
  ReportFound("192.168.1.20", 80);
  ReportFound("192.168.1.3", 80);
  ReportFound("10.0.0.1", 80);
  ReportFound("10.0.0.10", 80);
  ReportFound("10.0.0.2", 80);
  const std::vector<std::string> expected = {"10.0.0.1:80", "10.0.0.2:80", "10.0.0.10:80", "192.168.1.3:80",
                                             "192.168.1.20:80"};
  EXPECT_EQ(Rows(), expected);
}

TEST_F(SearchTest, ACameraAnsweringTwiceGetsTwoRowsInArrivalOrder) {
  ReportFound("10.0.0.5", 80);
  ReportFound("10.0.0.1", 81);
  ReportFound("10.0.0.1", 82);
  const std::vector<std::string> expected = {"10.0.0.1:81", "10.0.0.1:82", "10.0.0.5:80"};
  EXPECT_EQ(Rows(), expected);
}

TEST_F(SearchTest, RowsThatAreNoAddressArePassedOver) {
  ReportFound("camera", 80);
  ReportFound("10.0.0.1", 80);
  ReportFound("1.2.3", 80);
  ReportFound("0.0.0.1", 80);
  const std::vector<std::string> expected = {"camera:80", "0.0.0.1:80", "10.0.0.1:80", "1.2.3:80"};
  EXPECT_EQ(Rows(), expected);
}

TEST_F(SearchTest, PickingARowFillsTheLoginWhileNoCameraIsOpen) {
  ReportFound("192.168.5.23", 8081, 6, 5, "", "");
  ReportFound("192.168.5.40", 8082, 16, 15, "255.255.0.0", "192.168.0.1");
  Driver().Select("lst_device_find", 1);
  EXPECT_EQ(Text("edit_device_ip"), "192.168.5.40");
  EXPECT_EQ(Text("edit_device_port"), "8082");
  const SelectedSearchRow row = harness.SelectedRow();
  EXPECT_EQ(row.ip, "192.168.5.40");
  EXPECT_EQ(row.port, 8082);
  EXPECT_EQ(row.idHigh, 15u);
  EXPECT_EQ(row.idLow, 16u);
  EXPECT_EQ(row.netmask, "255.255.0.0");
  EXPECT_EQ(row.gateway, "192.168.0.1");
  // Empty netmask and gateway texts are taken as they are.
  Driver().Select("lst_device_find", 0);
  EXPECT_EQ(harness.SelectedRow().netmask, "");
  EXPECT_EQ(harness.SelectedRow().gateway, "");
  EXPECT_EQ(harness.SelectedRow().idHigh, 5u);
}

TEST_F(SearchTest, PickingARowWhileACameraIsOpenLeavesTheLoginAlone) {
  OpenCameraOk();
  const std::string ip = Text("edit_device_ip");
  ReportFound("192.168.5.23", 8081, 6, 5);
  Driver().Select("lst_device_find", 0);
  EXPECT_EQ(Text("edit_device_ip"), ip);
  EXPECT_EQ(Text("edit_device_port"), std::to_string(harness.Camera(0).Port()));
  EXPECT_EQ(harness.SelectedRow().ip, "192.168.5.23");
  EXPECT_EQ(harness.SelectedRow().port, 8081);
  EXPECT_EQ(harness.SelectedRow().idLow, 6u);
}

TEST_F(SearchTest, ANewSearchEmptiesTheListButKeepsTheSelection) {
  ReportFound("192.168.5.23", 8081, 6, 5);
  Driver().Select("lst_device_find", 0);
  ::setenv("CAMERACLIENT_SEARCH_TARGETS", "127.0.0.1:9", 1);
  Driver().Click("btn_start_search");
  EXPECT_EQ(harness.RowCount("lst_device_find"), 0);
  EXPECT_EQ(harness.SelectedRow().ip, "192.168.5.23");
}

TEST_F(SearchTest, ClosingTheCameraEndsTheSearch) {
  OpenCameraOk();
  Driver().Click("btn_start_search");
  Driver().Click("btn_close");
  EXPECT_FALSE(harness.DeviceState().searching);
  EXPECT_TRUE(Enabled("btn_start_search"));
  EXPECT_FALSE(Enabled("btn_stop_search"));
}

TEST_F(SearchTest, TheNetworkDialogNeedsAPickedRow) {
  Driver().Click("btn_net_param");
  EXPECT_EQ(harness.DismissMessageBox(), "请选择查找设备列表中的一个设备！");
}

}  // namespace
}  // namespace configtool::test
