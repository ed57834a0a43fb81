#pragma once
// The fixture of the controls' window tests: the real skin package and styles, a window built from
// a layout given as text with the tool's control factory, shown on the headless host, driven by
// the test driver, and recording its notifications.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/SkinPackage.h"
#include "configtool/DialogBuilderCallbackEx.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace configtool::test {

using ui::testing::Notification;
using ui::testing::RecordingWindow;
using ui::testing::Utf8;

class ControlsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::uint32_t size = 0;
    m_skin.reset(LoadSkinPackage(LPR_TEST_SKIN_PACKAGE, size));
    ASSERT_NE(m_skin, nullptr);
    driver.Run([&] {
      ui::CResourceManagerUI::SetResourceZipPtr(m_skin.get(), size);
      ui::CStyleManagerUI::InitInstance();
      ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
      ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
    });
  }

  void TearDown() override {
    driver.Run([&] {
      if (hwnd != nullptr && ui::IsWindow(hwnd)) ui::DestroyWindow(hwnd);
      ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
      ui::CStyleManagerUI::FreeInstance();
    });
  }

  // Opens the layout (UTF-8 XML text) as a shown, active window named "controls" at `place`.
  void Open(const std::string& xml, POINT place = POINT{100, 100}) {
    m_layout = xml;
    driver.Run([&] {
      window = new RecordingWindow;
      window->CreateWnd(m_layout.c_str(), nullptr, "controls", &m_factory);
      ui::MoveWindow(window->GetHWND(), static_cast<int>(place.x), static_cast<int>(place.y),
                     static_cast<int>(window->GetPaintManager()->GetInitSize().cx),
                     static_cast<int>(window->GetPaintManager()->GetInitSize().cy));
      window->ShowWindow(true, true);
      hwnd = window->GetHWND();
    });
    ASSERT_NE(hwnd, nullptr);
    driver.WaitUntilIdle();
  }

  template <typename T>
  T* Find(const char* name) {
    return driver.Get<T*>([&] { return dynamic_cast<T*>(driver.Control(name)); });
  }

  std::vector<Notification> Notes() {
    return driver.Get<std::vector<Notification>>([&] { return window->notifications; });
  }
  int Count(const std::string& type, const std::string& sender) {
    int count = 0;
    for (const Notification& n : Notes()) count += n.type == type && n.sender == sender ? 1 : 0;
    return count;
  }
  void ClearNotes() {
    driver.Run([&] { window->notifications.clear(); });
  }
  // The focused native window (an open edit window) and its text.
  HWND Focus() {
    return driver.Get<HWND>([] { return ui::GetFocus(); });
  }
  std::string FocusText() {
    return driver.Get<std::string>([] { return ui::GetWindowTextString(ui::GetFocus()); });
  }
  std::pair<long, long> FocusSelection() {
    return driver.Get<std::pair<long, long>>([] {
      const auto sel = static_cast<std::uintptr_t>(ui::SendMessage(ui::GetFocus(), EM_GETSEL));
      return std::pair<long, long>(static_cast<long>(sel & 0xFFFF), static_cast<long>(sel >> 16));
    });
  }
  // Types ASCII text at the keyboard focus.
  void Type(const std::string& text) { driver.TypeText(text); }

  ui::test::Driver driver;
  RecordingWindow* window = nullptr;
  HWND hwnd = nullptr;

 private:
  std::unique_ptr<unsigned char[]> m_skin;
  std::string m_layout;
  CDialogBuilderCallbackEx m_factory;
};

}  // namespace configtool::test
