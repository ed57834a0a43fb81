#pragma once
// Which of the host's windows holds the display's keyboard focus, and the framework's activation
// kept in line with it. The display reports focus in steps that may undo each other: a window
// mapped under the pointer is focused, then loses that focus and gains it again when it is
// activated; a focus change the framework asked for arrives after the framework moved on. Acting
// on each step would deactivate the active window for a moment, which closes its open edit and
// sends the next typed text nowhere. So the framework hears of the display's focus only once the
// display's pending events are all handled, and only when the settled focus differs from what it
// last heard. Internal to the gtk host.

#include <gtk/gtk.h>

#include "platform/os/WinTypes.h"
#include "platform/ui/hosts/gtk/GtkTextInput.h"

namespace ui::gtkhost {

class GtkDisplayFocus {
 public:
  // `textInput` is the host's keyboard; it outlives this object.
  explicit GtkDisplayFocus(GtkTextInput& textInput);
  ~GtkDisplayFocus();
  GtkDisplayFocus(const GtkDisplayFocus&) = delete;
  GtkDisplayFocus& operator=(const GtkDisplayFocus&) = delete;

  // A window of the host gained (`in`) or lost the display's focus.
  void FocusEvent(bool in);
  // The window goes away.
  void Forget(HWND hwnd);
  // No focus change waits to be told to the framework.
  bool Settled() const { return m_settleSource == 0; }

 private:
  static gboolean OnSettled(gpointer self);
  void Settle();

  GtkTextInput& m_textInput;
  guint m_settleSource = 0;
  HWND m_told = nullptr;  // the window the framework last heard has the display's focus
};

}  // namespace ui::gtkhost
