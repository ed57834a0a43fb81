#pragma once
// For the benchmarks that run windows on the gtk host in this process: a watch over the GTK
// thread's main loop from inside. The thread is idle while it waits in poll() for events (a poll
// that may block) and busy from the end of one such wait to the start of the next, whatever it
// does then (the framework's messages and paints, GTK's drawing). Made and read on that thread.

namespace bench {

class WindowThreadWatch {
 public:
  // Puts the watch between the default main context and its poll function.
  WindowThreadWatch();
  // Puts the poll function back.
  ~WindowThreadWatch();
  WindowThreadWatch(const WindowThreadWatch&) = delete;
  WindowThreadWatch& operator=(const WindowThreadWatch&) = delete;

  struct Figures {
    double longestMs = 0;     // the longest busy stretch, real time
    double longestCpuMs = 0;  // the most processor time the thread used in one busy stretch
    int stretches = 0;
    int over16Ms = 0;         // stretches longer than a frame at 60 Hz, real time
  };
  // Since the watch was made or last reset.
  Figures Read() const;
  void Reset();
};

}  // namespace bench
