#pragma once
// The framework's message boxes: modal dialogs built from the skin's "MessageBox.xml" (a notice
// with OK) and "MessageBox2.xml" (a yes/no question), centred over their owner. Their window
// class is "UIMessageBox"; the text is the control "msg_text", the buttons are "ok", "yes" and
// "no" (and the frame's "closebtn"), so the test driver can read and answer them. Return gives
// the first button, Escape and the close button answer no. Call on the owner's window thread.

#include "platform/os/WinTypes.h"

namespace ui {

// A modal notice (GBK text); returns IDOK once it is closed.
int UIMessageBox(HWND owner, const char* text);
// A modal yes/no question (GBK text): 0 when the user chose the first button (yes), 1 otherwise.
int UIMessageBox2(HWND owner, const char* text);

}  // namespace ui
