#include "FirstPaintWatch.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <vector>

namespace bench {

struct FirstPaintWatch::State {
  Display* display = nullptr;
  Window root = 0;
  Damage damage = 0;
  int damageEvent = 0;
  std::vector<Window> windows;  // top-level windows mapped since Arm()
  std::pair<int, int> lastSize{800, 600};

  bool WaitForEvent(Clock::time_point deadline) {
    if (XPending(display) > 0) return true;
    pollfd wait{ConnectionNumber(display), POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return ::poll(&wait, 1, static_cast<int>(std::max<long long>(left, 0))) > 0 && XPending(display) > 0;
  }

  // Three rows across the window (at a tenth, half and nine tenths of its height), read from the
  // screen: more than one colour among them means the client has drawn its picture.
  bool ShowsAPicture(Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsViewable) return false;
    if (attributes.width < 50 || attributes.height < 50) return false;
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const int left = std::max(x, 0);
    const int right = std::min(x + attributes.width, screenWidth);
    if (right - left < 2) return false;
    for (const int tenth : {1, 5, 9}) {
      const int row = y + attributes.height * tenth / 10;
      if (row < 0 || row >= screenHeight) continue;
      XImage* image = XGetImage(display, root, left, row, static_cast<unsigned>(right - left), 1, AllPlanes, ZPixmap);
      if (image == nullptr) continue;
      const unsigned long first = XGetPixel(image, 0, 0) & 0xFFFFFFul;
      bool differs = false;
      for (int column = 1; column < right - left && !differs; ++column) {
        differs = (XGetPixel(image, column, 0) & 0xFFFFFFul) != first;
      }
      XDestroyImage(image);
      if (differs) {
        lastSize = {attributes.width, attributes.height};
        return true;
      }
    }
    return false;
  }
};

FirstPaintWatch::FirstPaintWatch(const std::string& display) : m_state(std::make_unique<State>()) {
  State& s = *m_state;
  s.display = XOpenDisplay(display.c_str());
  if (s.display == nullptr) return;
  int error = 0;
  if (!XDamageQueryExtension(s.display, &s.damageEvent, &error)) return;
  s.root = DefaultRootWindow(s.display);
  XSelectInput(s.display, s.root, SubstructureNotifyMask);
  // Drawing into any window is drawing on the root's screen.
  s.damage = XDamageCreate(s.display, s.root, XDamageReportNonEmpty);
  XSync(s.display, False);
}

FirstPaintWatch::~FirstPaintWatch() {
  if (m_state->display == nullptr) return;
  if (m_state->damage != 0) XDamageDestroy(m_state->display, m_state->damage);
  XCloseDisplay(m_state->display);
}

bool FirstPaintWatch::Ready() const { return m_state->damage != 0; }

void FirstPaintWatch::Arm() {
  State& s = *m_state;
  while (s.WaitForEvent(Clock::now() + std::chrono::milliseconds(50))) {
    XEvent event;
    XNextEvent(s.display, &event);
    if (event.type == s.damageEvent + XDamageNotify) XDamageSubtract(s.display, s.damage, None, None);
  }
  s.windows.clear();
}

std::optional<FirstPaintWatch::Clock::time_point> FirstPaintWatch::WaitForFirstPaint(std::chrono::milliseconds limit) {
  State& s = *m_state;
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    if (!s.WaitForEvent(deadline)) continue;
    XEvent event;
    XNextEvent(s.display, &event);
    // Taken before the screen is read, so that reading it costs the program nothing.
    const auto when = Clock::now();
    if (event.type == MapNotify && !event.xmap.override_redirect) s.windows.push_back(event.xmap.window);
    if (event.type != s.damageEvent + XDamageNotify) continue;
    XDamageSubtract(s.display, s.damage, None, None);
    for (const Window window : s.windows) {
      if (s.ShowsAPicture(window)) return when;
    }
  }
  return std::nullopt;
}

std::pair<int, int> FirstPaintWatch::LastSize() const { return m_state->lastSize; }

}  // namespace bench
