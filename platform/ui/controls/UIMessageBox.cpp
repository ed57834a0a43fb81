#include "platform/ui/controls/UIMessageBox.h"

#include "platform/os/NativeDialogs.h"
#include "platform/ui/controls/MessageBoxWnd.h"

namespace ui {
namespace {

// "提示" in GBK: the caption of the plain box shown when the skin has no message box layout.
constexpr const char* kPlainCaption = "\xCC\xE1\xCA\xBE";

}  // namespace

int UIMessageBox(HWND owner, const char* text) {
  if (CMessageBoxWnd::Run(owner, text, "MessageBox.xml") < 0) {
    os::ShowPlainMessageBox(owner, text != nullptr ? text : "", kPlainCaption);
  }
  return IDOK;
}

int UIMessageBox2(HWND owner, const char* text) {
  const int result = CMessageBoxWnd::Run(owner, text, "MessageBox2.xml");
  if (result < 0) {
    // Without its layout the question cannot be asked: shown as a notice, answered no.
    os::ShowPlainMessageBox(owner, text != nullptr ? text : "", kPlainCaption);
    return 1;
  }
  return result == IDYES ? 0 : 1;
}

}  // namespace ui
