#pragma once
// The keyboard of all the host's windows: one input method (GtkIMContext) for Chinese input and
// the keys as virtual-key messages. Keys and text go to the window that holds the framework's
// keyboard focus, which may be a popup that the display never gives focus to. Internal to the gtk host.

#include <gtk/gtk.h>

#include "platform/os/WinTypes.h"

namespace ui::gtkhost {

class GtkTextInput {
 public:
  GtkTextInput();
  ~GtkTextInput();
  GtkTextInput(const GtkTextInput&) = delete;
  GtkTextInput& operator=(const GtkTextInput&) = delete;

  // A key event that arrived at the window `hwnd`.
  void HandleKey(HWND hwnd, GdkEventKey* event);
  // One of the host's windows gained or lost the display's keyboard focus.
  void FocusChanged(bool focused);
  // An edit of the window `hwnd` (shown in `window`) has the caret at `caret` in its client area;
  // an empty caret: no edit has it.
  void SetCaret(HWND hwnd, GdkWindow* window, const RECT& caret);
  // The window goes away: the input method must not keep it.
  void Forget(GdkWindow* window);

 private:
  void UpdateFocus();
  static void OnCommit(GtkIMContext* context, const char* text, gpointer self);

  GtkIMContext* m_context;
  GdkWindow* m_client = nullptr;
  bool m_editing = false;
  bool m_windowFocused = false;
  bool m_contextFocused = false;
  HWND m_clientHwnd = nullptr;
};

}  // namespace ui::gtkhost
