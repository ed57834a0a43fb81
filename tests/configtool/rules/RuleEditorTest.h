#pragma once
// The fixture of the rule editor's tests: the main window with a simulated camera whose video is
// held back (frames come one step at a time), the editor opened over it as the main window opens
// it, and what the tests share: the camera's records, frames, points on the video and the rows.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/SkinPackage.h"

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/RuleCfgDlg.h"
#include "configtool/features/rules/RuleListItemUI.h"
#include "platform/camera/protocol/Operation.h"
#include "tests/configtool/dialogs/DialogTest.h"

namespace configtool::test {

using camera::protocol::Operation;

class RuleEditorTest : public DialogTest {
 protected:
  void BeforeWindow() override { harness.Camera(0).HoldVideo(true); }

  // Opens the camera and the editor as the main window's opener does.
  void OpenEditor() {
    OpenCameraOk();
    const CameraClientHandle handle = harness.DeviceState().handle;
    const HWND owner = harness.Window()->GetHWND();
    Driver().Run([&] {
      m_editor = new CRuleCfgDlg(handle);
      m_editor->CreateWnd("ruleCfg.xml", owner, "ruleCfg", harness.Window()->ControlFactory());
      m_editor->CenterWindow();
      m_editor->ShowModal();
    });
    m_hwnd = WaitForDialog("ruleCfg");
    ASSERT_NE(m_hwnd, nullptr);
  }

  // Sends held frames until the editor has had its first one and loaded the camera's rules.
  void FirstFrame() {
    for (int i = 0; i < 20 && !Editor<bool>([](CRuleCfgDlg& e) { return e.FirstFrameArrived(); }); ++i) {
      harness.Camera(0).StepVideo(1);
      harness.Eventually([&] { return Editor<bool>([](CRuleCfgDlg& e) { return e.FirstFrameArrived(); }); },
                         std::chrono::milliseconds(1500));
    }
    ASSERT_TRUE(Editor<bool>([](CRuleCfgDlg& e) { return e.FirstFrameArrived(); }));
    // The first-frame message is handled and the picture presented.
    Driver().AdvanceClock(std::chrono::milliseconds(80));
    Driver().WaitUntilIdle();
  }

  void OpenEditorWithFirstFrame() {
    OpenEditor();
    FirstFrame();
  }

  // Reads the editor on its thread.
  template <typename T>
  T Editor(const std::function<T(CRuleCfgDlg&)>& read) {
    return Driver().Get<T>([&] { return read(*m_editor); });
  }
  std::vector<GraphPoint> LoopPoints() {
    return Editor<std::vector<GraphPoint>>([](CRuleCfgDlg& e) { return e.Loop().Points(); });
  }
  std::vector<GraphPoint> RegionPoints() {
    return Editor<std::vector<GraphPoint>>([](CRuleCfgDlg& e) { return e.Region().Points(); });
  }

  // The play window, in whose client pixels the mouse acts on the video.
  HWND Video() {
    return Driver().Get<HWND>([&] {
      auto* play = dynamic_cast<ui::CPlayControlUI*>(Driver().Control("play_control", m_hwnd));
      return play != nullptr ? play->GetHandle() : nullptr;
    });
  }
  void Drag(POINT from, POINT to) {
    ASSERT_TRUE(Driver().PressAt(Video(), from));
    ASSERT_TRUE(Driver().MoveAt(Video(), POINT{(from.x + to.x) / 2, (from.y + to.y) / 2}));
    ASSERT_TRUE(Driver().MoveAt(Video(), to));
    ASSERT_TRUE(Driver().ReleaseAt(Video(), to));
  }

  // Row labels of "lst_rules", in order.
  std::vector<std::string> Rows() {
    return Driver().Get<std::vector<std::string>>([&] {
      std::vector<std::string> labels;
      auto* list = dynamic_cast<ui::CListUI*>(Driver().Control("lst_rules", m_hwnd));
      for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        if (auto* row = dynamic_cast<CRuleListItemUI*>(list->GetItemAt(i))) labels.push_back(row->GetLabelText());
      }
      return labels;
    });
  }
  // Clicks the parameter button of row `index`.
  void ClickRowButton(int index) {
    HWND window = nullptr;
    POINT point{};
    const bool found = Driver().Get<bool>([&] {
      auto* list = dynamic_cast<ui::CListUI*>(Driver().Control("lst_rules", m_hwnd));
      auto* row = list != nullptr ? dynamic_cast<CRuleListItemUI*>(list->GetItemAt(index)) : nullptr;
      ui::CControlUI* button = row != nullptr ? row->GetParamButton() : nullptr;
      if (button == nullptr) return false;
      ui::UpdateWindow(m_hwnd);
      const RECT& rc = button->GetPos();
      window = m_hwnd;
      point = POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
      return true;
    });
    ASSERT_TRUE(found);
    Driver().ClickAt(window, point);
  }

  CameraClientPolygonRules CameraLoop() {
    return harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.polygonRules; });
  }
  CameraClientRegion CameraRegion() {
    return harness.Camera(0).With([](camsim::CameraState& s) { return s.settings.region; });
  }
  std::size_t Calls(Operation operation) { return harness.Camera(0).Calls().CountOf(operation); }
  void Fail(Operation operation, int times = -1) {
    camsim::Fault fault;
    fault.status = camera::protocol::Status::Failed;
    fault.times = times;
    harness.Camera(0).Faults().Set(operation, fault);
  }

  // Runs `action` with a skin that has no template for the rule rows, so that no row can be made.
  void WithoutRowTemplate(const std::function<void()>& action) {
    // The harness's package is dropped for a while; a copy of our own, kept to the end of the
    // process, comes back in its place.
    static std::uint32_t size = 0;
    static const std::unique_ptr<unsigned char[]> skin(LoadSkinPackage(LPR_TEST_SKIN_PACKAGE, size));
    ASSERT_NE(skin, nullptr);
    const std::string folder = harness.AppFolder().string();
    Driver().Run([&] {
      ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
      ui::CResourceManagerUI::SetResourcePath(folder.c_str());
    });
    action();
    Driver().Run([&] { ui::CResourceManagerUI::SetResourceZipPtr(skin.get(), size); });
  }

  // Clicks the save button and returns the message it shows.
  std::string Save() {
    Driver().Click("btnSaveRule", m_hwnd);
    return harness.DismissMessageBox();
  }

  CRuleCfgDlg* m_editor = nullptr;
  HWND m_hwnd = nullptr;
};

}  // namespace configtool::test
