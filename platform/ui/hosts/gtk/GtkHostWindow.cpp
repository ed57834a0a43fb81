#include "platform/ui/hosts/gtk/GtkHostWindow.h"

#include <algorithm>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/hosts/gtk/GtkKeyMap.h"

namespace ui::gtkhost {
namespace {

constexpr int kWheelStep = 120;

const char* CursorName(int cursorId) {
  switch (cursorId) {
    case IDC_IBEAM:
      return "text";
    case IDC_WAIT:
      return "wait";
    case IDC_CROSS:
      return "crosshair";
    case IDC_SIZENWSE:
      return "nwse-resize";
    case IDC_SIZENESW:
      return "nesw-resize";
    case IDC_SIZEWE:
      return "ew-resize";
    case IDC_SIZENS:
      return "ns-resize";
    case IDC_SIZEALL:
      return "move";
    case IDC_HAND:
      return "pointer";
    default:
      return "default";
  }
}

POINT ClientPoint(double x, double y) { return POINT{static_cast<long>(x), static_cast<long>(y)}; }

GtkHostWindow* Self(gpointer self) { return static_cast<GtkHostWindow*>(self); }

constexpr const char* kHwndKey = "lpr-hwnd";

// The first of the host's GTK windows that `accept` takes, or nullptr.
template <typename Accept>
GtkWindow* FindHostWindow(Accept accept) {
  GList* windows = gtk_window_list_toplevels();
  GtkWindow* found = nullptr;
  for (GList* item = windows; item != nullptr && found == nullptr; item = item->next) {
    const auto hwnd = static_cast<HWND>(g_object_get_data(G_OBJECT(item->data), kHwndKey));
    if (hwnd != nullptr && accept(GTK_WINDOW(item->data), hwnd)) found = GTK_WINDOW(item->data);
  }
  g_list_free(windows);
  return found;
}

}  // namespace

GtkWindow* GtkWindowShowing(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return FindHostWindow([hwnd](GtkWindow*, HWND shown) { return shown == hwnd; });
}

HWND DisplayFocusWindow() {
  GtkWindow* focused = FindHostWindow([](GtkWindow* window, HWND) { return gtk_window_has_toplevel_focus(window); });
  return focused != nullptr ? static_cast<HWND>(g_object_get_data(G_OBJECT(focused), kHwndKey)) : nullptr;
}

GtkHostWindow::GtkHostWindow(const HostWindowSpec& spec, GtkWindow* owner, GtkTextInput& textInput,
                             GtkDisplayFocus& focus)
    : m_hwnd(spec.hwnd), m_popup(spec.popup), m_textInput(textInput), m_focus(focus) {
  m_window = gtk_window_new(spec.popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(m_window);
  g_object_set_data(G_OBJECT(m_window), kHwndKey, m_hwnd);
  // The framework draws every window's caption and frame buttons from its layout.
  gtk_window_set_decorated(GTK_WINDOW(m_window), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(m_window), FALSE);
  gtk_window_set_title(GTK_WINDOW(m_window), spec.title.c_str());
  if (owner != nullptr) gtk_window_set_transient_for(GTK_WINDOW(m_window), owner);
  if (spec.popup) {
    gtk_window_set_type_hint(GTK_WINDOW(m_window), GDK_WINDOW_TYPE_HINT_DROPDOWN_MENU);
  } else if (owner != nullptr) {
    gtk_window_set_type_hint(GTK_WINDOW(m_window), GDK_WINDOW_TYPE_HINT_DIALOG);
  }
  if (spec.toolWindow) {
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(m_window), TRUE);
    gtk_window_set_skip_pager_hint(GTK_WINDOW(m_window), TRUE);
  }

  m_area = gtk_drawing_area_new();
  gtk_widget_add_events(m_area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                    GDK_LEAVE_NOTIFY_MASK | GDK_SCROLL_MASK);
  m_fixed = gtk_fixed_new();
  gtk_fixed_put(GTK_FIXED(m_fixed), m_area, 0, 0);
  gtk_container_add(GTK_CONTAINER(m_window), m_fixed);
  gtk_widget_show(m_area);
  gtk_widget_show(m_fixed);

  ConnectSignals();
  Move(spec.rect);
}

GtkHostWindow::~GtkHostWindow() {
  g_signal_handlers_disconnect_by_data(m_window, this);
  g_signal_handlers_disconnect_by_data(m_area, this);
  m_textInput.Forget(ClientWindow());
  gtk_widget_destroy(m_window);
  g_object_unref(m_window);
}

void GtkHostWindow::ConnectSignals() {
  g_signal_connect(m_area, "draw", G_CALLBACK(OnDrawn), this);  // before OnDraw, which ends the signal
  g_signal_connect(m_area, "draw", G_CALLBACK(OnDraw), this);
  g_signal_connect(m_area, "button-press-event", G_CALLBACK(OnButton), this);
  g_signal_connect(m_area, "button-release-event", G_CALLBACK(OnButton), this);
  g_signal_connect(m_area, "motion-notify-event", G_CALLBACK(OnMotion), this);
  g_signal_connect(m_area, "leave-notify-event", G_CALLBACK(OnLeave), this);
  g_signal_connect(m_area, "scroll-event", G_CALLBACK(OnScroll), this);
  g_signal_connect(m_area, "grab-broken-event", G_CALLBACK(OnGrabBroken), this);
  g_signal_connect(m_window, "key-press-event", G_CALLBACK(OnKey), this);
  g_signal_connect(m_window, "key-release-event", G_CALLBACK(OnKey), this);
  g_signal_connect(m_window, "focus-in-event", G_CALLBACK(OnFocus), this);
  g_signal_connect(m_window, "focus-out-event", G_CALLBACK(OnFocus), this);
  g_signal_connect(m_window, "delete-event", G_CALLBACK(OnDelete), this);
}

void GtkHostWindow::Move(const RECT& screenRect) {
  const SIZE size{std::max(1L, RectWidth(screenRect)), std::max(1L, RectHeight(screenRect))};
  // A caption drag moves the window many times a second; only a new size needs a new layout.
  if (size.cx != m_size.cx || size.cy != m_size.cy) {
    m_size = size;
    m_picture = nullptr;  // the framework made a new picture of the new size
    gtk_widget_set_size_request(m_area, static_cast<int>(size.cx), static_cast<int>(size.cy));
    gtk_window_resize(GTK_WINDOW(m_window), static_cast<int>(size.cx), static_cast<int>(size.cy));
  }
  gtk_window_move(GTK_WINDOW(m_window), screenRect.left, screenRect.top);
}

void GtkHostWindow::Show(bool visible, bool activate) {
  if (!visible) {
    m_drawn = false;
    gtk_widget_hide(m_window);
    // Off the screen now, not at the loop's next turn: the window thread may be busy for a while
    // (a program that waits for its workers once its window has closed).
    gdk_display_flush(gtk_widget_get_display(m_window));
    return;
  }
  gtk_window_set_focus_on_map(GTK_WINDOW(m_window), activate);
  // Page views over the picture keep their own visibility.
  gtk_widget_show(m_window);
  if (activate) Activate();
  // The display maps the window while the framework paints its first picture.
  gdk_display_flush(gtk_widget_get_display(m_window));
}

void GtkHostWindow::SetTitle(const std::string& utf8) { gtk_window_set_title(GTK_WINDOW(m_window), utf8.c_str()); }

// A disabled window (the owner of a modal dialog) takes no input, its page views included.
void GtkHostWindow::SetEnabled(bool enabled) { gtk_widget_set_sensitive(m_fixed, enabled); }

void GtkHostWindow::Activate() {
  if (!m_popup && gtk_widget_get_visible(m_window)) gtk_window_present(GTK_WINDOW(m_window));
}

bool GtkHostWindow::TakesInput(bool active) const {
  // GTK calls a window mapped once it asked for that; the display confirms it later.
  GdkWindow* window = gtk_widget_get_window(m_window);
  if (window == nullptr || (gdk_window_get_state(window) & GDK_WINDOW_STATE_WITHDRAWN) != 0 || !m_drawn) return false;
  return m_popup || !active || gtk_window_has_toplevel_focus(GTK_WINDOW(m_window));
}

void GtkHostWindow::Paint(const Canvas& picture, const RECT& dirty) {
  // GTK draws straight from the framework's picture: no copy of it is kept here.
  const bool whole = m_picture == nullptr;
  m_picture = &picture;
  const RECT area = whole ? RECT{0, 0, picture.Width(), picture.Height()} : dirty;
  gtk_widget_queue_draw_area(m_area, area.left, area.top, RectWidth(area), RectHeight(area));
}

void GtkHostWindow::SetCursor(int cursorId) {
  if (cursorId == m_cursorId) return;
  m_cursorId = cursorId;
  GdkWindow* window = gtk_widget_get_window(m_area);
  if (window == nullptr) return;
  GdkCursor* cursor = gdk_cursor_new_from_name(gdk_window_get_display(window), CursorName(cursorId));
  gdk_window_set_cursor(window, cursor);
  if (cursor != nullptr) g_object_unref(cursor);
}

void GtkHostWindow::SetTextInputPlace(const RECT& caret) { m_textInput.SetCaret(m_hwnd, ClientWindow(), caret); }

gboolean GtkHostWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  const Canvas* picture = Self(self)->m_picture;
  if (picture == nullptr) return TRUE;
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, picture->Surface(), 0, 0);
  cairo_paint(cr);
  return TRUE;
}

gboolean GtkHostWindow::OnDrawn(GtkWidget*, cairo_t*, gpointer self) {
  Self(self)->m_drawn = true;
  return FALSE;
}

gboolean GtkHostWindow::OnButton(GtkWidget*, GdkEventButton* event, gpointer self) {
  // A click on the framework's picture takes the keyboard back from a page view.
  if (event->type == GDK_BUTTON_PRESS) gtk_window_set_focus(GTK_WINDOW(Self(self)->m_window), nullptr);
  // The framework makes double clicks from presses itself.
  if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE) return TRUE;
  if (event->button != 1 && event->button != 3) return TRUE;
  const bool down = event->type == GDK_BUTTON_PRESS;
  const UINT message =
      event->button == 1 ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
  HostMouseEvent(Self(self)->m_hwnd, message, ClientPoint(event->x, event->y),
                 MouseKeyStateOf(event->state, event->button, down));
  return TRUE;
}

gboolean GtkHostWindow::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
  HostMouseEvent(Self(self)->m_hwnd, WM_MOUSEMOVE, ClientPoint(event->x, event->y), MouseKeyStateOf(event->state));
  return TRUE;
}

gboolean GtkHostWindow::OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer self) {
  // Crossings caused by a grab (a button held down) are not the pointer leaving.
  if (event->mode != GDK_CROSSING_NORMAL) return TRUE;
  HostMouseLeave(Self(self)->m_hwnd);
  return TRUE;
}

gboolean GtkHostWindow::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
  int delta = 0;
  if (event->direction == GDK_SCROLL_UP) delta = kWheelStep;
  if (event->direction == GDK_SCROLL_DOWN) delta = -kWheelStep;
  if (event->direction == GDK_SCROLL_SMOOTH) delta = static_cast<int>(-event->delta_y * kWheelStep);
  if (delta == 0) return TRUE;
  HostWheelEvent(Self(self)->m_hwnd, ClientPoint(event->x, event->y), delta, MouseKeyStateOf(event->state));
  return TRUE;
}

gboolean GtkHostWindow::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
  // A page view with the focus takes its keys itself.
  if (gtk_window_get_focus(GTK_WINDOW(Self(self)->m_window)) != nullptr) return FALSE;
  Self(self)->m_textInput.HandleKey(Self(self)->m_hwnd, event);
  return TRUE;
}

gboolean GtkHostWindow::OnFocus(GtkWidget*, GdkEventFocus* event, gpointer self) {
  Self(self)->m_focus.FocusEvent(event->in != 0);
  return FALSE;
}

gboolean GtkHostWindow::OnGrabBroken(GtkWidget*, GdkEventGrabBroken*, gpointer self) {
  // Without the grab the button's release may never come: a drag must not wait for it.
  HostCaptureBroken(Self(self)->m_hwnd);
  return FALSE;
}

gboolean GtkHostWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  // The framework decides whether and when the window goes.
  HostCloseRequest(Self(self)->m_hwnd);
  return TRUE;
}

}  // namespace ui::gtkhost
