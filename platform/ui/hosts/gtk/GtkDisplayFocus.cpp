#include "platform/ui/hosts/gtk/GtkDisplayFocus.h"

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/hosts/gtk/GtkHostWindow.h"

namespace ui::gtkhost {

GtkDisplayFocus::GtkDisplayFocus(GtkTextInput& textInput) : m_textInput(textInput) {}

GtkDisplayFocus::~GtkDisplayFocus() {
  if (m_settleSource != 0) g_source_remove(m_settleSource);
}

void GtkDisplayFocus::FocusEvent(bool in) {
  // Keys may follow a gained focus at once: the input method must be ready for them.
  if (in) m_textInput.FocusChanged(true);
  // After the display's events: it runs once those queued with this one are handled.
  if (m_settleSource == 0) m_settleSource = g_idle_add_full(G_PRIORITY_HIGH_IDLE, OnSettled, this, nullptr);
}

void GtkDisplayFocus::Forget(HWND hwnd) {
  if (m_told == hwnd) m_told = nullptr;
}

gboolean GtkDisplayFocus::OnSettled(gpointer self) {
  auto* focus = static_cast<GtkDisplayFocus*>(self);
  focus->m_settleSource = 0;
  focus->Settle();
  return G_SOURCE_REMOVE;
}

void GtkDisplayFocus::Settle() {
  const HWND focused = DisplayFocusWindow();
  m_textInput.FocusChanged(focused != nullptr);
  if (focused == m_told) return;
  if (focused != nullptr && !IsWindowEnabled(focused)) {
    // The owner of a modal dialog cannot be activated: the display's focus goes back to the
    // dialog, as the original platform keeps it there.
    if (GtkWindow* active = GtkWindowShowing(GetActiveWindow())) gtk_window_present(active);
    return;
  }
  const HWND previous = m_told;
  m_told = focused;
  // Last: the framework may destroy windows while it handles the change.
  if (focused != nullptr) {
    HostActivation(focused, true);
  } else if (previous != nullptr) {
    HostActivation(previous, false);
  }
}

}  // namespace ui::gtkhost
