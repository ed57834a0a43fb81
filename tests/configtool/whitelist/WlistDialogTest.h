#pragma once
// The fixture of the whitelist dialogs' tests: the main window with a simulated camera opened, its
// whitelist store, the manager opened from "btn_wlist_cfg", and the rows of its list.

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "configtool/controls/JqListTextElementUI.h"
#include "configtool/features/whitelist/WlistRowTexts.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"
#include "sim/SeedData.h"
#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {

inline constexpr const char* kManager = "wlist_manager";
inline constexpr const char* kRecordForm = "wlist_info";
inline constexpr const char* kWlistList = "wlist_record_list";

class WlistDialogTest : public DialogTest {
 protected:
  void Seed(const std::vector<CameraClientWhiteListRecord>& records) {
    harness.Camera(0).With([&](camsim::CameraState& state) { state.whitelist.Import(records); });
  }
  std::vector<CameraClientWhiteListRecord> CameraRecords(const std::string& filter = "") {
    return harness.Camera(0).With(
        [&](camsim::CameraState& state) { return state.whitelist.Page(filter, 0, 1'000'000); });
  }
  std::optional<CameraClientWhiteListRecord> CameraRecord(const std::string& plate) {
    return harness.Camera(0).With([&](camsim::CameraState& state) { return state.whitelist.FindByPlate(plate); });
  }
  std::size_t CameraCalls(camera::protocol::Operation operation) {
    return harness.Camera(0).Calls().CountOf(operation);
  }

  // Opens the camera and the manager; the first page is loaded by then.
  HWND OpenManager() {
    if (harness.DeviceState().handle == 0) OpenCameraOk();
    Driver().Click("btn_wlist_cfg");
    return WaitForDialog(kManager);
  }

  int RowCount() { return ListRowCount(kWlistList); }
  WlistRowTexts Row(int index) { return ListRowTexts<std::tuple_size_v<WlistRowTexts>>(kWlistList, index); }
  std::string RowId(int index) {
    return Driver().Get<std::string>([&] {
      const CJqListTextElementUI* row = RowControl(index);
      return row != nullptr ? row->GetUserData().Str() : std::string("none");
    });
  }
  std::vector<std::string> Plates() {
    std::vector<std::string> plates;
    for (int i = 0; i < RowCount(); ++i) plates.push_back(Row(i)[kWlistPlateColumn]);
    return plates;
  }
  // The row the list shows for a record, as the manager makes it.
  static WlistRowTexts Expected(const CameraClientWhiteListRecord& record) {
    std::string segments;
    WlistTimeSegmentCodec().format(record.segments, segments);
    return MakeWlistRowTexts(record, segments);
  }

 private:
  CJqListTextElementUI* RowControl(int index) {
    auto* list = dynamic_cast<ui::CListUI*>(Driver().Control(kWlistList));
    return list != nullptr ? dynamic_cast<CJqListTextElementUI*>(list->GetItemAt(index)) : nullptr;
  }
};

}  // namespace configtool::test
