// Corvex: the configuration tool's entry. One copy runs at a time; the skin package beside the
// program gives every window; the main window's message loop runs until it closes.

#include <cstdint>
#include <memory>
#include <string>

#include "cameraclient/CameraClient.h"
#include "common/SingleInstance.h"
#include "common/SkinPackage.h"
#include "configtool/MainWnd.h"
#include "platform/ui/UIlib.h"

namespace {

// The skin archive, kept in memory for the whole run; null when "skin.dll" cannot be loaded.
std::unique_ptr<unsigned char[]> LoadSkin(std::uint32_t& size) {
  return std::unique_ptr<unsigned char[]>(LoadSkinPackage(ui::CResourceManagerUI::GetInstancePath() + "skin.dll", size));
}

void SetUpResources() {
  ui::CStyleManagerUI::InitInstance();
  ui::CResourceManagerUI::SetInstance(nullptr);
  ui::CResourceManagerUI::SetResourcePath((ui::CResourceManagerUI::GetInstancePath() + "skin").c_str());
}

void RunMainWindow(const std::string& key) {
  auto* window = new CMainWnd;
  // A window that could not be built has ended the loop already; the framework deletes it.
  if (window->CreateWnd("skin.xml", nullptr, key.c_str(), window->ControlFactory(), false, false, true, 1) != nullptr) {
    window->CenterWindow();
    window->ShowWindow(true, true);
  }
  ui::CPaintManagerUI::MessageLoop();
}

}  // namespace

int main() {
  SingleInstance instance;
  const ApplicationIdentity& application = CorvexApplication();
  if (!instance.Claim(application)) return 0;

  // COM and GDI+ of the original platform have no counterpart here.
  CameraClient_Setup();
  SetUpResources();
  std::uint32_t size = 0;
  const std::unique_ptr<unsigned char[]> skin = LoadSkin(size);
  if (!skin) {
    // The loader said why; nothing of the set-up is undone, the process ends right away.
    instance.Release();
    return 0;
  }
  ui::CResourceManagerUI::SetResourceZipPtr(skin.get(), size);
  ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
  ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");

  RunMainWindow(application.key);

  ui::CStyleManagerUI::FreeInstance();
  CameraClient_Cleanup();
  instance.Release();
  return 0;
}
