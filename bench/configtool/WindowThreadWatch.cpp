#include "WindowThreadWatch.h"

#include <glib.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

namespace bench {
namespace {

struct Stamp {
  std::chrono::steady_clock::time_point wall;
  double cpuMs = 0;
};

Stamp Now() {
  timespec cpu{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
  return Stamp{std::chrono::steady_clock::now(), cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6};
}

// One watch at a time, on the GTK thread alone.
GPollFunc g_poll = nullptr;
std::optional<Stamp> g_busySince;
WindowThreadWatch::Figures g_figures;

gint WatchedPoll(GPollFD* fds, guint count, gint timeout) {
  // A poll that cannot block is part of the work, not a rest.
  if (timeout == 0) return g_poll(fds, count, timeout);
  const Stamp start = Now();
  if (g_busySince) {
    const double ms = std::chrono::duration<double, std::milli>(start.wall - g_busySince->wall).count();
    g_figures.longestMs = std::max(g_figures.longestMs, ms);
    g_figures.longestCpuMs = std::max(g_figures.longestCpuMs, start.cpuMs - g_busySince->cpuMs);
    ++g_figures.stretches;
    if (ms > 16) ++g_figures.over16Ms;
  }
  const gint result = g_poll(fds, count, timeout);
  g_busySince = Now();
  return result;
}

}  // namespace

WindowThreadWatch::WindowThreadWatch() {
  g_poll = g_main_context_get_poll_func(nullptr);
  g_main_context_set_poll_func(nullptr, WatchedPoll);
  Reset();
}

WindowThreadWatch::~WindowThreadWatch() { g_main_context_set_poll_func(nullptr, g_poll); }

WindowThreadWatch::Figures WindowThreadWatch::Read() const { return g_figures; }

void WindowThreadWatch::Reset() {
  g_figures = {};
  g_busySince.reset();
}

}  // namespace bench
