// Brenlo: the batch program's entry. One copy runs at a time; the skin package beside the
// program gives every window; the main dialog's message loop runs until it closes.

#include <cstdint>
#include <memory>

#include "batch/DlgBatchOperationCfg.h"
#include "cameraclient/CameraClient.h"
#include "common/ProgramStartup.h"
#include "common/SingleInstance.h"
#include "platform/ui/UIlib.h"

namespace {

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

  SetUpSkinResources();
  CameraClient_Setup();
  std::uint32_t size = 0;
  const std::unique_ptr<unsigned char[]> skin = LoadSkinBesideProgram(size);
  if (!skin) {
    // The loader said why; the camera library stays set up, the process ends right away.
    instance.Release();
    return 0;
  }
  UseSkin(skin.get(), size);

  RunMainDialog();

  CameraClient_Cleanup();
  ui::CStyleManagerUI::FreeInstance();
  instance.Release();
  return 0;
}
