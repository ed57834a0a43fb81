#pragma once
// One top-level or popup window of the framework shown as a GTK window. It shows the framework's
// latest picture of the window and hands the user's mouse, keyboard, wheel, focus and input-method
// events to the framework (Host.h). Internal to the gtk host.

#include <gtk/gtk.h>

#include <string>

#include "platform/ui/host/Host.h"
#include "platform/ui/hosts/gtk/GtkDisplayFocus.h"
#include "platform/ui/hosts/gtk/GtkTextInput.h"

namespace ui::gtkhost {

// The GTK window that shows the framework's window `hwnd`, or nullptr.
GtkWindow* GtkWindowShowing(HWND hwnd);
// The framework's window whose GTK window holds the display's keyboard focus, or nullptr.
HWND DisplayFocusWindow();

class GtkHostWindow {
 public:
  // `textInput` is the host's keyboard and `focus` its display focus; both outlive the window.
  GtkHostWindow(const HostWindowSpec& spec, GtkWindow* owner, GtkTextInput& textInput, GtkDisplayFocus& focus);
  ~GtkHostWindow();
  GtkHostWindow(const GtkHostWindow&) = delete;
  GtkHostWindow& operator=(const GtkHostWindow&) = delete;

  HWND Hwnd() const { return m_hwnd; }
  GtkWindow* Window() const { return GTK_WINDOW(m_window); }

  void Move(const RECT& screenRect);
  void Show(bool visible, bool activate);
  void SetTitle(const std::string& utf8);
  void SetEnabled(bool enabled);
  void Activate();
  // Mapped and drawn by the display, and holding its keyboard focus when `active` (the framework's
  // active window) unless it is a popup, which the display never focuses.
  bool TakesInput(bool active) const;
  // Has GTK draw the changed part of the framework's picture. The picture is drawn from until the
  // window gets a new size (the framework then makes a new one) or goes.
  void Paint(const Canvas& picture, const RECT& dirty);
  void SetCursor(int cursorId);
  // Where the input method's candidate window goes; an empty caret turns the input method off.
  void SetTextInputPlace(const RECT& caret);
  GdkWindow* ClientWindow() const { return gtk_widget_get_window(m_area); }
  // Native views that lie over the framework's picture (web pages), placed in client coordinates.
  GtkFixed* Overlays() const { return GTK_FIXED(m_fixed); }

 private:
  void ConnectSignals();

  // Handlers: each hands the event to the framework last, because the framework may destroy
  // this window while it handles it.
  static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean OnDrawn(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean OnButton(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
  static gboolean OnLeave(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
  static gboolean OnScroll(GtkWidget* widget, GdkEventScroll* event, gpointer self);
  static gboolean OnKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean OnFocus(GtkWidget* widget, GdkEventFocus* event, gpointer self);
  static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean OnGrabBroken(GtkWidget* widget, GdkEventGrabBroken* event, gpointer self);

  HWND m_hwnd;
  bool m_popup;
  GtkWidget* m_window = nullptr;
  GtkWidget* m_fixed = nullptr;
  GtkWidget* m_area = nullptr;
  GtkTextInput& m_textInput;
  GtkDisplayFocus& m_focus;
  bool m_drawn = false;  // drawn by GTK since it was last shown
  SIZE m_size{};
  const Canvas* m_picture = nullptr;
  int m_cursorId = 0;
};

}  // namespace ui::gtkhost
