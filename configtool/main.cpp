// Corvex: the configuration tool's entry. One copy runs at a time; the skin package beside the
// program gives every window; the main window's message loop runs until it closes.

#include <cstdint>
#include <memory>
#include <string>

#include "cameraclient/CameraClient.h"
#include "common/ProgramStartup.h"
#include "common/SingleInstance.h"
#include "configtool/MainWnd.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/host/HostSelection.h"

namespace {

void RunMainWindow(const std::string& key) {
  auto* window = new CMainWnd;
  // A window that could not be built has ended the loop already; the framework deletes it.
  const HWND hwnd = window->CreateWnd("skin.xml", nullptr, key.c_str(), window->ControlFactory(), false, false, true, 1);
  if (hwnd != nullptr) {
    window->CenterWindow();
    window->ShowWindow(true, true);
    // Painted before the display shows the window, so that its first picture is the whole window.
    ui::UpdateWindow(hwnd);
  }
  ui::CPaintManagerUI::MessageLoop();
}

}  // namespace

int main() {
  SingleInstance instance;
  const ApplicationIdentity& application = CorvexApplication();
  if (!instance.Claim(application)) return 0;

  // The display starts while the program loads its skin and builds and paints its window.
  ui::StartHostFromEnvironment();
  // COM and GDI+ of the original platform have no counterpart here.
  CameraClient_Setup();
  SetUpSkinResources();
  std::uint32_t size = 0;
  const std::unique_ptr<unsigned char[]> skin = LoadSkinBesideProgram(size);
  if (!skin) {
    // The loader said why; nothing of the set-up is undone, the process ends right away.
    instance.Release();
    return 0;
  }
  UseSkin(skin.get(), size);

  RunMainWindow(application.key);

  ui::CStyleManagerUI::FreeInstance();
  CameraClient_Cleanup();
  instance.Release();
  return 0;
}
