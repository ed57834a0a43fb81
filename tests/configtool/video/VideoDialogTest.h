#pragma once
// The fixture of the video settings tests: one simulated camera whose hardware type, model and
// settings a test sets before the dialog opens, the dialog opened from the main window, and the
// camera's video calls as the call log holds them.

#include <cstring>
#include <string>
#include <vector>

#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {

inline constexpr const char* kVideoDialog = "videocfg";
inline constexpr int kOtherModelId = 0x3045;

class VideoDialogTest : public DialogTest {
 protected:
  // The camera as the test wants it, before the dialog reads it.
  void SetCamera(int hardwareType, int modelId = camsim::kZoomModelId) {
    harness.Camera(0).With([&](camsim::CameraState& state) {
      state.hardwareType = hardwareType;
      state.modelId = modelId;
      state.settings = camsim::DefaultSettings(hardwareType);
    });
  }
  template <typename Work>
  void Settings(Work&& work) {
    harness.Camera(0).With([&](camsim::CameraState& state) { work(state.settings); });
  }
  camsim::CameraSettings CameraSettings() {
    return harness.Camera(0).With([](camsim::CameraState& state) { return state.settings; });
  }
  void Fail(camera::protocol::Operation operation) {
    harness.Camera(0).Faults().Set(operation, {.status = camera::protocol::Status::Failed});
  }

  // Opens the camera and the dialog from the main window; the call log then holds the dialog's
  // reads only.
  HWND OpenDialog() {
    OpenCameraOk();
    harness.Camera(0).Calls().Clear();
    Driver().Click("btn_videocfg");
    return WaitForDialog(kVideoDialog);
  }

  // The dialog showing this tab; the call log is then empty.
  HWND OpenDialogOnTab(const char* tab) {
    const HWND dialog = OpenDialog();
    if (dialog != nullptr) Driver().Click(tab);
    ClearCalls();
    return dialog;
  }

  // The camera's video, image and on-screen calls in order, as "Name(int, ...)" for calls of a
  // few numbers and "Name[bytes]" for records.
  std::vector<std::string> VideoCalls() {
    std::vector<std::string> calls;
    for (const camsim::CallRecord& call : harness.Camera(0).Calls().All()) {
      if (!IsVideoOperation(call.operation)) continue;
      calls.push_back(Describe(call));
    }
    return calls;
  }
  // Only the calls that write.
  std::vector<std::string> VideoSets() {
    std::vector<std::string> sets;
    for (const std::string& call : VideoCalls()) {
      if (call.rfind("Set", 0) == 0) sets.push_back(call);
    }
    return sets;
  }
  void ClearCalls() { harness.Camera(0).Calls().Clear(); }

  // The record sent by the last call of `operation`, read at `offset` of its request.
  template <typename Record>
  Record SentRecord(camera::protocol::Operation operation, std::size_t offset = 0) {
    Record record{};
    const std::vector<camsim::CallRecord> calls = harness.Camera(0).Calls().Of(operation);
    EXPECT_FALSE(calls.empty()) << camera::protocol::OperationName(operation);
    if (calls.empty() || calls.back().payload.size() < offset + sizeof record) return record;
    std::memcpy(&record, calls.back().payload.data() + offset, sizeof record);
    return record;
  }

  void ShowTab(const char* tab) { ASSERT_TRUE(Driver().Click(tab)) << tab; }
  bool Visible(const char* control) { return Driver().IsVisible(control); }
  int ItemCount(const char* combo) {
    return Driver().Get<int>([&] {
      auto* control = dynamic_cast<ui::CComboUI*>(Driver().Control(combo));
      return control != nullptr ? control->GetCount() : -1;
    });
  }
  std::vector<std::string> Items(const char* combo) {
    return Driver().Get<std::vector<std::string>>([&] {
      std::vector<std::string> texts;
      auto* control = dynamic_cast<ui::CComboUI*>(Driver().Control(combo));
      for (int i = 0; control != nullptr && i < control->GetCount(); ++i) texts.push_back(control->GetItemAt(i)->GetText().Str());
      return texts;
    });
  }
  int SelectedItem(const char* combo) {
    return Driver().Get<int>([&] {
      auto* control = dynamic_cast<ui::CComboUI*>(Driver().Control(combo));
      return control != nullptr ? control->GetCurSel() : -2;
    });
  }

  int SliderValue(const char* slider) {
    return Driver().Get<int>([&] {
      auto* control = dynamic_cast<ui::CSliderUI*>(Driver().Control(slider));
      return control != nullptr ? control->GetValue() : -1;
    });
  }
  int SliderMaximum(const char* slider) {
    return Driver().Get<int>([&] {
      auto* control = dynamic_cast<ui::CSliderUI*>(Driver().Control(slider));
      return control != nullptr ? control->GetMaxValue() : -1;
    });
  }
  // The point of the slider's track that stands for `value`.
  POINT SliderPoint(const char* slider, int value) {
    return Driver().Get<POINT>([&] {
      auto* control = dynamic_cast<ui::CSliderUI*>(Driver().Control(slider));
      if (control == nullptr) return POINT{-1, -1};
      const RECT rc = control->GetPos();
      const long thumb = control->GetThumbSize().cx;
      const long travel = rc.right - rc.left - thumb;
      const long span = control->GetMaxValue() - control->GetMinValue();
      const long offset = (2 * travel * (value - control->GetMinValue()) + span) / (2 * span);
      return POINT{rc.left + thumb / 2 + offset, (rc.top + rc.bottom) / 2};
    });
  }
  // A click on the slider's track at `value`, as the operator does: the release sends
  // "valuechanged" when the slider takes it.
  void ClickSlider(const char* slider, int value) {
    ASSERT_TRUE(Driver().ClickAt(Driver().FindWindow(kVideoDialog), SliderPoint(slider, value))) << slider;
  }
  // Moves the slider to `value` with a click on its track.
  void MoveSlider(const char* slider, int value) {
    ClickSlider(slider, value);
    ASSERT_EQ(SliderValue(slider), value) << slider;
  }

  // The message boxes the last action showed, each answered, in order.
  std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (std::string text = harness.DismissMessageBox(); !text.empty(); text = harness.DismissMessageBox()) {
      texts.push_back(text);
    }
    return texts;
  }
  std::string Box() {
    const std::vector<std::string> texts = Boxes();
    return texts.size() == 1 ? texts.front() : "boxes: " + std::to_string(texts.size());
  }

 private:
  static bool IsVideoOperation(camera::protocol::Operation operation) {
    const auto code = static_cast<std::uint16_t>(operation);
    return (code & 0xFF00) == 0x0400 || operation == camera::protocol::Operation::GetHardwareType ||
           operation == camera::protocol::Operation::GetModelId;
  }
  static std::string Describe(const camsim::CallRecord& call) {
    std::string text(camera::protocol::OperationName(call.operation));
    const std::size_t size = call.payload.size();
    if (size > 16 || size % 4 != 0) return text + "[" + std::to_string(size) + "]";
    text += "(";
    for (std::size_t offset = 0; offset < size; offset += 4) {
      std::int32_t value = 0;
      std::memcpy(&value, call.payload.data() + offset, 4);
      text += (offset == 0 ? "" : ", ") + std::to_string(value);
    }
    return text + ")";
  }
};

}  // namespace configtool::test
