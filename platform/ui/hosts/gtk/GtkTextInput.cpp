#include "platform/ui/hosts/gtk/GtkTextInput.h"

#include <algorithm>
#include <string>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/hosts/gtk/GtkKeyMap.h"

namespace ui::gtkhost {
namespace {

// The top-level or popup window whose child has the framework's focus; else the receiving one.
HWND KeyWindow(HWND received) {
  const HWND focus = GetFocus();
  return focus != nullptr ? GetAncestorRoot(focus) : received;
}

}  // namespace

GtkTextInput::GtkTextInput() : m_context(gtk_im_multicontext_new()) {
  // The input method shows its own composition window; the framework receives committed text.
  gtk_im_context_set_use_preedit(m_context, FALSE);
  g_signal_connect(m_context, "commit", G_CALLBACK(OnCommit), this);
}

GtkTextInput::~GtkTextInput() {
  g_signal_handlers_disconnect_by_data(m_context, this);
  gtk_im_context_set_client_window(m_context, nullptr);
  g_object_unref(m_context);
}

void GtkTextInput::HandleKey(HWND hwnd, GdkEventKey* event) {
  // Text goes through the input method (Chinese input, dead keys); it answers with "commit".
  if (m_contextFocused && gtk_im_context_filter_keypress(m_context, event)) return;
  const UINT virtualKey = VirtualKeyOf(event->keyval);
  if (virtualKey == 0) return;
  const HWND target = KeyWindow(hwnd);
  if (event->type == GDK_KEY_RELEASE) {
    HostKeyEvent(target, WM_KEYUP, virtualKey);
    return;
  }
  // The framework's TranslateMessage makes the characters of Backspace and Ctrl+letter keys.
  HostKeyEvent(target, WM_KEYDOWN, virtualKey);
}

void GtkTextInput::FocusChanged(bool focused) {
  m_windowFocused = focused;
  UpdateFocus();
}

void GtkTextInput::SetCaret(HWND hwnd, GdkWindow* window, const RECT& caret) {
  m_editing = window != nullptr && (RectWidth(caret) > 0 || RectHeight(caret) > 0);
  if (m_editing && window != m_client) {
    if (m_contextFocused) gtk_im_context_focus_out(m_context);
    m_contextFocused = false;
    gtk_im_context_set_client_window(m_context, window);
    m_client = window;
    m_clientHwnd = hwnd;
  }
  if (m_editing) {
    GdkRectangle place{static_cast<int>(caret.left), static_cast<int>(caret.top),
                       std::max(1, static_cast<int>(RectWidth(caret))),
                       std::max(1, static_cast<int>(RectHeight(caret)))};
    gtk_im_context_set_cursor_location(m_context, &place);
  }
  UpdateFocus();
}

void GtkTextInput::Forget(GdkWindow* window) {
  if (window == nullptr || window != m_client) return;
  if (m_contextFocused) gtk_im_context_focus_out(m_context);
  m_contextFocused = false;
  m_editing = false;
  gtk_im_context_set_client_window(m_context, nullptr);
  m_client = nullptr;
  m_clientHwnd = nullptr;
}

void GtkTextInput::UpdateFocus() {
  const bool wanted = m_editing && m_windowFocused && m_client != nullptr;
  if (wanted == m_contextFocused) return;
  m_contextFocused = wanted;
  if (wanted) {
    gtk_im_context_focus_in(m_context);
  } else {
    gtk_im_context_focus_out(m_context);
    gtk_im_context_reset(m_context);
  }
}

void GtkTextInput::OnCommit(GtkIMContext*, const char* text, gpointer self) {
  auto* input = static_cast<GtkTextInput*>(self);
  if (text == nullptr || *text == '\0' || input->m_clientHwnd == nullptr) return;
  HostTextInput(KeyWindow(input->m_clientHwnd), text);
}

}  // namespace ui::gtkhost
