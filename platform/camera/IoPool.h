#pragma once
// The library's I/O threads, shared by the connections of every handle. Each thread runs an
// io_context of its own, and each handle's link lives on one of them (taken in turn): the handlers
// of a link never run at once, and an event is handled by the thread that saw it. The threads
// start with the first handle and end with Stop (CameraClient_Cleanup).

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace boost::asio {
class io_context;
}  // namespace boost::asio

namespace camera {

class IoPool {
 public:
  IoPool();
  ~IoPool();
  IoPool(const IoPool&) = delete;
  IoPool& operator=(const IoPool&) = delete;

  // The context for a new link; starts the threads unless they run.
  boost::asio::io_context& Next();
  // Lets each loop finish its work (at most 2 s), then ends the threads; what is left stays queued
  // for the next start.
  void Stop();

 private:
  struct Context;

  void StartLocked();
  void StopLocked();

  std::vector<std::unique_ptr<Context>> m_contexts;
  std::atomic<std::size_t> m_next{0};
  std::mutex m_mutex;
  std::vector<std::thread> m_threads;
};

}  // namespace camera
