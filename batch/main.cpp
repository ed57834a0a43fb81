// Brenlo: the batch program's entry. One copy runs at a time; the skin package beside the
// program gives every window; the main dialog's message loop runs until it closes.

#include <cstdint>
#include <memory>

#include "batch/DlgBatchOperationCfg.h"
#include "cameraclient/CameraClient.h"
#include "common/SingleInstance.h"
#include "common/SkinPackage.h"
#include "platform/ui/UIlib.h"

namespace {

void SetUpResources() {
  ui::CStyleManagerUI::InitInstance();
  ui::CResourceManagerUI::SetInstance(nullptr);
  ui::CResourceManagerUI::SetResourcePath((ui::CResourceManagerUI::GetInstancePath() + "skin").c_str());
}

// The skin archive, kept in memory for the whole run; null when "skin.dll" cannot be loaded.
std::unique_ptr<unsigned char[]> LoadSkin(std::uint32_t& size) {
  return std::unique_ptr<unsigned char[]>(LoadSkinPackage(ui::CResourceManagerUI::GetInstancePath() + "skin.dll", size));
}

void RunMainDialog() {
  CDlgBatchOperationCfg* dialog = GetBatchDialog();
  // A dialog that could not be built has ended the loop already; the framework deletes it.
  if (dialog->CreateWnd("Dlg_Batch_Operation_Cfg.xml", nullptr, "batch_operation", dialog->ControlFactory(), false,
                        false, true, 1) != nullptr) {
    dialog->CenterWindow();
    dialog->ShowWindow(true, true);
  }
  ui::CPaintManagerUI::MessageLoop();
}

}  // namespace

int main() {
  SingleInstance instance;
  if (!instance.Claim(BrenloApplication())) return 0;

  SetUpResources();
  CameraClient_Setup();
  std::uint32_t size = 0;
  const std::unique_ptr<unsigned char[]> skin = LoadSkin(size);
  if (!skin) {
    // The loader said why; the camera library stays set up, the process ends right away.
    instance.Release();
    return 0;
  }
  ui::CResourceManagerUI::SetResourceZipPtr(skin.get(), size);
  ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
  ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");

  RunMainDialog();

  CameraClient_Cleanup();
  ui::CStyleManagerUI::FreeInstance();
  instance.Release();
  return 0;
}
