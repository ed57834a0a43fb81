// The whitelist record dialog, opened from the manager against a simulated camera: the add form's
// defaults, what a new and an edited record carry to the camera, the form's checks, and the row,
// which shows only what the camera took.

#include "configtool/features/whitelist/DlgWlistInfo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/FixedText.h"
#include "configtool/controls/CalendarUI.h"
#include "configtool/controls/TimeSegments.h"
#include "platform/os/LocalTime.h"
#include "tests/configtool/whitelist/WlistDialogTest.h"

namespace configtool::test {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

constexpr const char* kWeekdays = "星期一, 二 08:00:00 至 18:00:00";

camsim::Fault Failing() {
  camsim::Fault fault{Status::Failed};
  fault.times = 1;
  return fault;
}

std::string TimeText(const os::LocalTime& day, const char* time) {
  char text[32];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %s", day.year, day.month, day.day, time);
  return text;
}

class WlistRecordFormTest : public WlistDialogTest {
 protected:
  // One record of every kind the form must show back: no create time, its own customer code, a
  // colour and a type, a schedule and a customer number.
  static CameraClientWhiteListRecord EditedRecord() {
    CameraClientWhiteListRecord record{};
    CopyToField(record.plate, "粤B12345");
    record.enabled = 1;
    record.expiryTimeSet = 1;
    const std::int16_t expiry[6] = {2030, 6, 30, 18, 0, 0};
    std::memcpy(record.expiryTime, expiry, sizeof expiry);
    record.useTimeSegments = 1;
    TimeSegmentsPacked packed{};
    EXPECT_TRUE(ParseTimeSegments(packed, kWeekdays));
    record.segments.enabled = 1;
    UnpackTimeSegments(packed, record.segments);
    record.plateColor = 4;
    record.plateType = 5;
    CopyToField(record.customerCode, "VIP");
    CopyToField(record.customerNumber, "13900000000");
    return record;
  }

  HWND OpenForm(const char* button) {
    Driver().Click(button);
    return WaitForDialog(kRecordForm);
  }
  // Opens the manager on the seeded records and the form on the row of `plate`.
  HWND EditRow(const std::string& plate) {
    if (OpenManager() == nullptr) return nullptr;
    const std::vector<std::string> plates = Plates();
    const auto at = std::find(plates.begin(), plates.end(), plate);
    if (at == plates.end() || !Driver().Select(kWlistList, static_cast<int>(at - plates.begin()))) return nullptr;
    return OpenForm("btn_edit");
  }
  int RowOf(const std::string& plate) {
    const std::vector<std::string> plates = Plates();
    return static_cast<int>(std::find(plates.begin(), plates.end(), plate) - plates.begin());
  }
  std::vector<std::string> ComboItems(const char* combo) {
    return Driver().Get<std::vector<std::string>>([&] {
      std::vector<std::string> items;
      auto* control = dynamic_cast<ui::CComboUI*>(Driver().Control(combo));
      for (int i = 0; control != nullptr && i < control->GetCount(); ++i) items.push_back(control->GetItemAt(i)->GetText().Str());
      return items;
    });
  }
  void SetCalendar(const char* name, int year, int month, int day, int hour, int minute, int second) {
    Driver().Run([&] {
      dynamic_cast<CCalendarUI*>(Driver().Control(name))->SetDateTime(year, month, day, hour, minute, second);
    });
  }
  void Save() { Driver().Click("btn_save"); }
};

TEST_F(WlistRecordFormTest, TheAddFormOffersTodayAndTheFirstWords) {
  ASSERT_NE(OpenManager(), nullptr);
  const HWND form = OpenForm("btn_add");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text("title"), "添加白名单");
  const os::LocalTime today = os::GetLocalTime();
  EXPECT_EQ(Text("dt_start/EditEX"), TimeText(today, "00:00:00"));
  EXPECT_EQ(Text("dt_End/EditEX"), TimeText(today, "23:59:59"));
  EXPECT_TRUE(IsSelected("opt_enable"));
  EXPECT_FALSE(IsSelected("opt_is_alarm"));
  EXPECT_FALSE(IsSelected("opt_using_timeseg"));
  // An item's index is the code the record carries.
  std::vector<std::string> types;
  for (int i = 0; i < kWlistPlateTypeCount; ++i) types.emplace_back(WlistPlateTypeWord(i));
  std::vector<std::string> colours;
  for (int i = 0; i < kWlistPlateColorCount; ++i) colours.emplace_back(WlistPlateColorWord(i));
  EXPECT_EQ(ComboItems("dlg_cmb_type"), types);
  EXPECT_EQ(ComboItems("dlg_cmb_color"), colours);
  EXPECT_EQ(Text("dlg_cmb_type"), "未知车牌");
  EXPECT_EQ(Text("dlg_cmb_color"), "白色");
  SaveScreenshot(form, "wlist_record_form.png");
  Driver().Click("cancel");
  EXPECT_FALSE(IsOpen(kRecordForm));
  EXPECT_EQ(CameraCalls(Operation::WhiteListImport), 0u);
}

TEST_F(WlistRecordFormTest, ANewRecordGoesToTheCameraAndShowsOnTheLastPage) {
  Seed(camsim::MakeSeedWhitelist(45, 31));
  ASSERT_NE(OpenManager(), nullptr);
  ASSERT_NE(OpenForm("btn_add"), nullptr);
  SetText("edit_plate", "  京B12345 ");
  SetText("edit_plate_comment", "张三");
  ASSERT_TRUE(Driver().Select("dlg_cmb_type", 3));
  ASSERT_TRUE(Driver().Select("dlg_cmb_color", 2));
  Driver().Click("opt_is_alarm");
  Driver().Click("opt_using_timeseg");
  SetText("timeseg", kWeekdays);
  Save();
  EXPECT_FALSE(IsOpen(kRecordForm));

  const auto record = CameraRecord("京B12345");
  ASSERT_TRUE(record);
  EXPECT_STREQ(record->customerCode, "京B12345");
  EXPECT_STREQ(record->customerNumber, "张三");
  EXPECT_EQ(record->plateType, 3);
  EXPECT_EQ(record->plateColor, 2);
  EXPECT_EQ(record->enabled, 1);
  EXPECT_EQ(record->alarm, 1);
  EXPECT_EQ(record->useTimeSegments, 1);
  EXPECT_EQ(record->segments.enabled, 1);
  EXPECT_EQ(record->segments.entries[0].enable, 1);
  EXPECT_EQ(record->segments.entries[0].days[1], 1);  // Monday
  EXPECT_EQ(record->segments.entries[0].startHour, 8);
  EXPECT_EQ(record->segments.entries[1].enable, 0);
  const os::LocalTime today = os::GetLocalTime();
  const std::int16_t start[6] = {static_cast<std::int16_t>(today.year), static_cast<std::int16_t>(today.month),
                                 static_cast<std::int16_t>(today.day), 0, 0, 0};
  EXPECT_EQ(record->createTimeSet, 1);
  EXPECT_EQ(std::memcmp(record->createTime, start, sizeof start), 0);
  EXPECT_EQ(record->expiryTime[3], 23);
  EXPECT_EQ(record->expiryTime[5], 59);

  EXPECT_EQ(Text("lbl_count_msg"), "共46条记录");
  EXPECT_EQ(Text("lbl_page_msg"), "第3/3页");
  const int row = RowOf("京B12345");
  ASSERT_LT(row, RowCount());
  EXPECT_EQ(Row(row), Expected(*record));
}

TEST_F(WlistRecordFormTest, TheFormRefusesWhatTheCameraCannotKeep) {
  ASSERT_NE(OpenManager(), nullptr);
  ASSERT_NE(OpenForm("btn_add"), nullptr);
  struct Case {
    std::string plate;
    std::string comment;
    const char* notice;
  };
  const Case cases[] = {
      {"", "", "请输入车牌号!"},
      {"   ", "", "请输入车牌号!"},
      {"京A,1234", "", "车牌号中不能包含逗号!"},
      {"京A1234", "张三,李四", "客户名称中不能包含逗号!"},
      // 32 bytes: the camera would keep a cut plate, another one.
      {"京京京京京京京京京京京京京京京AB", "", "车牌号过长，最多31个字节!"},
      // 64 bytes: the camera would keep the first 62 only (the last character does not fit whole).
      {"京A1234", std::string(48, 'x') + "张三张三张三张三", "客户名称过长，最多63个字节!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notice);
    SetText("edit_plate", c.plate);
    SetText("edit_plate_comment", c.comment);
    Save();
    EXPECT_EQ(harness.DismissMessageBox(), c.notice);
    EXPECT_TRUE(IsOpen(kRecordForm));
  }
  EXPECT_EQ(CameraCalls(Operation::WhiteListByPlate), 0u);
  EXPECT_EQ(CameraCalls(Operation::WhiteListImport), 0u);
  // 31 and 63 bytes fit, whole.
  const std::string comment = std::string(47, 'x') + "张三张三张三张三";
  SetText("edit_plate", "京京京京京京京京京京京京京京京A");
  SetText("edit_plate_comment", comment);
  Save();
  EXPECT_FALSE(IsOpen(kRecordForm));
  const auto stored = CameraRecord("京京京京京京京京京京京京京京京A");
  ASSERT_TRUE(stored);
  EXPECT_EQ(FieldText(stored->customerNumber), comment);
}

TEST_F(WlistRecordFormTest, AddingAPlateTheCameraHoldsAsksBeforeReplacingIt) {
  Seed({EditedRecord()});
  ASSERT_NE(OpenManager(), nullptr);
  ASSERT_NE(OpenForm("btn_add"), nullptr);
  SetText("edit_plate", "粤B12345");
  SetText("edit_plate_comment", "new");
  Save();
  EXPECT_EQ(harness.DismissMessageBox("no"), "白名单已存在，确定要更新?");
  EXPECT_FALSE(IsOpen(kRecordForm));
  EXPECT_STREQ(CameraRecord("粤B12345")->customerNumber, "13900000000");

  ASSERT_NE(OpenForm("btn_add"), nullptr);
  SetText("edit_plate", "粤B12345");
  SetText("edit_plate_comment", "new");
  Save();
  EXPECT_EQ(harness.DismissMessageBox("yes"), "白名单已存在，确定要更新?");
  EXPECT_FALSE(IsOpen(kRecordForm));
  EXPECT_STREQ(CameraRecord("粤B12345")->customerNumber, "new");
  EXPECT_EQ(CameraRecords().size(), 1u);
  EXPECT_EQ(Row(0)[kWlistNumberColumn], "new");
}

TEST_F(WlistRecordFormTest, AnAddTheCameraDidNotTakeKeepsTheFormOpen) {
  ASSERT_NE(OpenManager(), nullptr);
  ASSERT_NE(OpenForm("btn_add"), nullptr);
  SetText("edit_plate", "京C00001");
  for (const Operation operation : {Operation::WhiteListByPlate, Operation::WhiteListImport}) {
    SCOPED_TRACE(static_cast<int>(operation));
    harness.Camera(0).Faults().Set(operation, Failing());
    Save();
    EXPECT_EQ(harness.DismissMessageBox(), "添加白名单失败");
    EXPECT_TRUE(IsOpen(kRecordForm));
    EXPECT_TRUE(CameraRecords().empty());
  }
  Save();
  EXPECT_FALSE(IsOpen(kRecordForm));
  EXPECT_EQ(CameraRecords().size(), 1u);
}

TEST_F(WlistRecordFormTest, AnEditShowsTheRowAndKeepsWhatTheOperatorLeftAlone) {
  Seed(camsim::MakeSeedWhitelist(10, 32));
  Seed({EditedRecord()});
  const HWND form = EditRow("粤B12345");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Text("title"), "修改白名单");
  EXPECT_EQ(Text("edit_plate"), "粤B12345");
  EXPECT_EQ(Text("dt_End/EditEX"), "2030-06-30 18:00:00");
  EXPECT_EQ(Text("dlg_cmb_type"), WlistPlateTypeWord(5));
  EXPECT_EQ(Text("dlg_cmb_color"), WlistPlateColorWord(4));
  EXPECT_EQ(Text("timeseg"), kWeekdays);
  EXPECT_EQ(Text("edit_plate_comment"), "13900000000");
  EXPECT_TRUE(IsSelected("opt_enable"));
  EXPECT_TRUE(IsSelected("opt_using_timeseg"));
  EXPECT_FALSE(IsSelected("opt_is_alarm"));
  SaveScreenshot(form, "wlist_record_form_edit.png");

  Driver().Click("opt_enable");
  SetText("edit_plate_comment", "13911111111");
  Save();
  EXPECT_FALSE(IsOpen(kRecordForm));
  const auto record = CameraRecord("粤B12345");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->enabled, 0);
  EXPECT_STREQ(record->customerNumber, "13911111111");
  // The create time stays unset, the customer code stays the record's.
  EXPECT_EQ(record->createTimeSet, 0);
  EXPECT_STREQ(record->customerCode, "VIP");
  EXPECT_EQ(record->plateType, 5);
  EXPECT_EQ(record->plateColor, 4);
  EXPECT_EQ(Row(RowOf("粤B12345")), Expected(*record));

  // A create time the operator picks is taken.
  ASSERT_TRUE(Driver().Select(kWlistList, RowOf("粤B12345")));
  ASSERT_NE(OpenForm("btn_edit"), nullptr);
  SetCalendar("dt_start", 2024, 2, 29, 7, 30, 0);
  Save();
  const auto dated = CameraRecord("粤B12345");
  EXPECT_EQ(dated->createTimeSet, 1);
  const std::int16_t create[6] = {2024, 2, 29, 7, 30, 0};
  EXPECT_EQ(std::memcmp(dated->createTime, create, sizeof create), 0);
  EXPECT_EQ(Row(RowOf("粤B12345"))[kWlistCreateColumn], "2024-02-29 07:30:00");
}

TEST_F(WlistRecordFormTest, AnEditCannotChangeThePlate) {
  Seed({EditedRecord()});
  ASSERT_NE(EditRow("粤B12345"), nullptr);
  const WlistRowTexts shown = Row(0);
  SetText("edit_plate", "粤B99999");
  SetText("edit_plate_comment", "changed");
  Save();
  EXPECT_EQ(harness.DismissMessageBox(), "车牌号无法修改!");
  EXPECT_FALSE(IsOpen(kRecordForm));
  EXPECT_EQ(Row(0), shown);
  EXPECT_EQ(CameraCalls(Operation::WhiteListUpdate), 0u);
  EXPECT_STREQ(CameraRecord("粤B12345")->customerNumber, "13900000000");
  EXPECT_FALSE(CameraRecord("粤B99999"));
}

// The row changes only with the camera: a failed update, or a record the camera no longer holds,
// keeps the form open and the row as it was.
TEST_F(WlistRecordFormTest, AnEditTheCameraDidNotTakeLeavesTheRowAlone) {
  Seed({EditedRecord()});
  ASSERT_NE(EditRow("粤B12345"), nullptr);
  const WlistRowTexts shown = Row(0);
  SetText("edit_plate_comment", "changed");
  for (const Operation operation : {Operation::WhiteListUpdate, Operation::WhiteListByPlate}) {
    SCOPED_TRACE(static_cast<int>(operation));
    harness.Camera(0).Faults().Set(operation, Failing());
    Save();
    EXPECT_EQ(harness.DismissMessageBox(), "修改白名单失败!");
    EXPECT_TRUE(IsOpen(kRecordForm));
  }
  harness.Camera(0).With([](camsim::CameraState& state) { state.whitelist.Clear(); });
  Save();
  EXPECT_EQ(harness.DismissMessageBox(), "修改白名单失败!");
  EXPECT_TRUE(IsOpen(kRecordForm));
  Driver().Click("cancel");
  EXPECT_FALSE(IsOpen(kRecordForm));
  EXPECT_EQ(Row(0), shown);
  EXPECT_TRUE(CameraRecords().empty());
}

}  // namespace
}  // namespace configtool::test
