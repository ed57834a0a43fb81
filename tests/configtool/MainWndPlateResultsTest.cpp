// Live plate results: the rows of "plate_result_list" and the pictures saved under PlateImgs.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "configtool/controls/PlateViewerUI.h"
#include "platform/os/Charset.h"
#include "tests/configtool/support/MainWindowTest.h"

namespace configtool::test {
namespace {

namespace fs = std::filesystem;

camsim::SyntheticPlate Plate(const char* gbk, int colour = 1, int type = 1, const char* colourWord = "蓝") {
  return camsim::SyntheticPlate{os::GbkToUtf8(gbk), colour, os::GbkToUtf8(colourWord), type};
}

class PlateResultsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenCameraOk();
  }

  // Reports the plate, waits until the window has handled it, and checks that it is on top.
  // The wait is for the result itself, not for a time: a loaded machine only makes it longer.
  void Report(const camsim::SyntheticPlate& plate, int trigger = CAMERACLIENT_TRIGGER_STABLE, bool hidden = false) {
    ++m_reported;
    harness.Camera(0).ReportPlate(plate, trigger, hidden);
    ASSERT_TRUE(harness.WaitForPlateResults(m_reported));
    ASSERT_EQ(harness.RowCount("plate_result_list"), std::min(m_reported, PlateResultListLimit));
    ASSERT_EQ(Row(0, "lbl_PlateNumber"), hidden ? "*******" : os::Utf8ToGbk(plate.text));
  }

  std::string Row(int index, const char* control) { return harness.PlateRowText(index, control); }
  // The picture's path as the file system names it ("" for none).
  fs::path PicturePath(int index) { return fs::path(os::GbkToUtf8(harness.PlateRowPicture(index))); }
  fs::path Folder(const std::string& trigger) {
    return harness.AppFolder() / "PlateImgs" / "2026-01-01" / harness.Camera(0).Ip() / trigger;
  }
  bool IsJpeg(const fs::path& path) { return harness.ReadFile(path).starts_with("\xFF\xD8\xFF"); }

  std::pair<int, std::u16string> Viewer(int index) {
    return Driver().Get<std::pair<int, std::u16string>>([&] {
      auto* list = dynamic_cast<ui::CListUI*>(Driver().Control("plate_result_list"));
      auto* viewer = dynamic_cast<CPlateViewerUI*>(
          harness.Window()->GetPaintManager()->FindSubControlByName(list->GetItemAt(index), "virtual_plate_view"));
      return std::pair(viewer->GetBackgroundIndex(), viewer->GetPlateText());
    });
  }

  int m_reported = 0;
};

TEST_F(PlateResultsTest, TheListKeepsTheFiveNewestOnTop) {
  const char* plates[] = {"京A11111", "京A22222", "京A33333", "京A44444", "京A55555", "京A66666"};
  for (const char* plate : plates) Report(Plate(plate));
  ASSERT_EQ(harness.RowCount("plate_result_list"), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Row(i, "lbl_PlateNumber"), plates[5 - i]) << i;
}

TEST_F(PlateResultsTest, ARowShowsTheResultAndItsPicture) {
  Report(Plate("京A12345"));
  EXPECT_EQ(Row(0, "lbl_RecordTime"), "2026-01-01 08:00:00");
  EXPECT_EQ(Row(0, "lbl_PlateColor"), "蓝");
  EXPECT_EQ(Row(0, "lbl_result_type"), "稳定识别结果");
  EXPECT_EQ(Row(0, "lbl_plate_type"), "蓝牌小汽车");
  EXPECT_TRUE(Row(0, "lbl_plate_width").ends_with("像素"));
  EXPECT_EQ(Viewer(0), std::pair(static_cast<int>(kPlateBackgroundBlue), std::u16string(u"京A12345")));
  const fs::path picture = PicturePath(0);
  EXPECT_EQ(picture, Folder("1") / os::GbkToUtf8("080000000_京A12345_clip.jpg"));
  EXPECT_TRUE(IsJpeg(picture));
}

TEST_F(PlateResultsTest, CombinedTriggersGoToTheirOwnFolder) {
  Report(Plate("京B12345"), CAMERACLIENT_TRIGGER_STABLE | CAMERACLIENT_TRIGGER_IO);
  EXPECT_EQ(Row(0, "lbl_result_type"), "多重触发");
  EXPECT_EQ(PicturePath(0).parent_path(), Folder("3"));
  EXPECT_TRUE(IsJpeg(PicturePath(0)));
}

TEST_F(PlateResultsTest, AHiddenPlateIsNeitherShownNorNamed) {
  Report(Plate("京C12345"), CAMERACLIENT_TRIGGER_MANUAL, true);
  EXPECT_EQ(Viewer(0).first, static_cast<int>(kPlateBackgroundNone));
  EXPECT_EQ(PicturePath(0), Folder("4") / "080000000_clip.jpg");
  EXPECT_TRUE(IsJpeg(PicturePath(0)));
}

TEST_F(PlateResultsTest, GreenPlatesShowOnlyAsAviationOrNewEnergy) {
  Report(Plate("粤AD12345", CAMERACLIENT_PLATE_COLOR_GREEN, 19, "绿"));
  EXPECT_EQ(Viewer(0), std::pair(static_cast<int>(kPlateBackgroundEnergy), std::u16string(u"粤AD12345")));
  Report(Plate("民航12345", CAMERACLIENT_PLATE_COLOR_GREEN, 18, "绿"));
  EXPECT_EQ(Viewer(0).first, static_cast<int>(kPlateBackgroundAviation));
  Report(Plate("粤B12345", CAMERACLIENT_PLATE_COLOR_GREEN, 1, "绿"));
  EXPECT_EQ(Viewer(0).first, static_cast<int>(kPlateBackgroundNone));
  EXPECT_EQ(Row(0, "lbl_PlateColor"), "绿");
}

TEST_F(PlateResultsTest, TheFolderIsNamedByTheIpTextAtArrivalAndStaysInTheTree) {
  SetText("edit_device_ip", "");
  Driver().Type("edit_device_ip", "../x");
  Report(Plate("京D12345"));
  const fs::path expected = harness.AppFolder() / "PlateImgs" / "2026-01-01" / ".._x" / "1";
  EXPECT_EQ(PicturePath(0).parent_path(), expected);
  EXPECT_TRUE(IsJpeg(PicturePath(0)));
  // Nothing beside the tool's own files and folders.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(harness.AppFolder())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"PlateImgs", "user.ini"}));
}

TEST_F(PlateResultsTest, APathOfAnyTextShowsItsPicture) {
  for (const char* ip : {"a='b", "a=\"b", "file='x.png'"}) {
    SCOPED_TRACE(ip);
    SetText("edit_device_ip", "");
    Driver().Type("edit_device_ip", ip);
    Report(Plate("京H12345"));
    const fs::path picture = PicturePath(0);
    EXPECT_EQ(picture.parent_path().parent_path().filename(), ip);
    ASSERT_TRUE(IsJpeg(picture));
    // Scaled once to the row's picture cell: 76 wide, the row's 48 less 2 above and below.
    const std::optional<SIZE> shown = harness.PlateRowShownPicture(0);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->cx, 76);
    EXPECT_EQ(shown->cy, 44);
  }
}

TEST_F(PlateResultsTest, TheFolderFollowsTheIpTextSetByCode) {
  // Set as other code than the window's would set it: without a notification.
  SetText("edit_device_ip", "set-by-code");
  Report(Plate("京J12345"));
  EXPECT_EQ(PicturePath(0).parent_path().parent_path().filename(), "set-by-code");
}

TEST_F(PlateResultsTest, APictureThatCannotBeWrittenIsNotNamed) {
  // A file where the picture folder should be.
  std::ofstream(harness.AppFolder() / "PlateImgs") << "in the way";
  Report(Plate("京E12345"));
  EXPECT_EQ(harness.PlateRowPicture(0), "");
  EXPECT_EQ(Row(0, "lbl_plate_type"), "蓝牌小汽车");
}

TEST_F(PlateResultsTest, AResultWithoutAPictureAddsARowAndMakesNoFolder) {
  harness.Camera(0).With([](camsim::CameraState& state) { state.platePicturesMissing = true; });
  Report(Plate("京G12345"));
  EXPECT_EQ(harness.PlateRowPicture(0), "");
  EXPECT_EQ(Row(0, "lbl_plate_type"), "蓝牌小汽车");
  EXPECT_FALSE(fs::exists(harness.AppFolder() / "PlateImgs"));
}

TEST_F(PlateResultsTest, ADoubleClickNamesTheColumnUnderThePointer) {
  Report(Plate("京F12345"));
  struct Recorder : ui::INotifyUI {
    void Notify(ui::TNotifyUI& msg) override {
      if (msg.sType == "listitemdblclick") columns.push_back(static_cast<int>(msg.lParam));
    }
    std::vector<int> columns;
  } recorder;
  Driver().Run([&] {
    auto* list = dynamic_cast<ui::CListUI*>(Driver().Control("plate_result_list"));
    ui::CControlUI* row = list->GetItemAt(0);
    ui::CPaintManagerUI* pm = harness.Window()->GetPaintManager();
    pm->AddNotifier(&recorder);
    const RECT rowRect = row->GetPos();
    const RECT column = list->GetListInfo()->rcColumn[2];
    for (const POINT point : {POINT{(column.left + column.right) / 2, (rowRect.top + rowRect.bottom) / 2},
                              POINT{rowRect.right + 500, (rowRect.top + rowRect.bottom) / 2}}) {
      ui::TEventUI event;
      event.Type = ui::UIEVENT_DBLCLICK;
      event.pSender = row;
      event.ptMouse = point;
      row->DoEvent(event);
    }
    pm->RemoveNotifier(&recorder);
  });
  EXPECT_EQ(recorder.columns, (std::vector<int>{2, 0}));
}

}  // namespace
}  // namespace configtool::test
