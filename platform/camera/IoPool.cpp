#include "platform/camera/IoPool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <optional>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

namespace camera {
namespace {

// Reading is light work (the callbacks run elsewhere): a few threads serve a thousand connections.
std::size_t IoThreads() { return std::clamp(std::thread::hardware_concurrency() / 2, 2u, 4u); }

// How long Stop lets the work of closed handles end (their sockets shut, their timers cancelled: it
// ends at once) before it drops what is left.
constexpr std::chrono::seconds kDrainLimit{2};

}  // namespace

struct IoPool::Context {
  boost::asio::io_context io{1};  // one thread runs it
  std::optional<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> work;
  std::mutex mutex;
  std::condition_variable ended;
  bool running = false;

  void Run() {
    // A handler that throws (out of memory) costs its own work, not the thread.
    for (;;) {
      try {
        io.run();
        break;
      } catch (...) {
      }
    }
    std::lock_guard lock(mutex);
    running = false;
    ended.notify_all();
  }
};

IoPool::IoPool() {
  for (std::size_t i = 0; i < IoThreads(); ++i) m_contexts.push_back(std::make_unique<Context>());
}

IoPool::~IoPool() { Stop(); }

boost::asio::io_context& IoPool::Next() {
  {
    std::lock_guard lock(m_mutex);
    if (m_threads.empty()) StartLocked();
  }
  return m_contexts[m_next++ % m_contexts.size()]->io;
}

void IoPool::Stop() {
  std::lock_guard lock(m_mutex);
  StopLocked();
}

// Every context gets its thread, or none does (a context without one would never answer).
void IoPool::StartLocked() {
  try {
    for (const auto& context : m_contexts) {
      context->io.restart();
      context->work.emplace(context->io.get_executor());
      m_threads.emplace_back([&context = *context] { context.Run(); });
      // The loop cannot end before its work guard goes, in StopLocked.
      std::lock_guard lock(context->mutex);
      context->running = true;
    }
  } catch (...) {
    StopLocked();
    throw;
  }
}

// Each loop runs until its work is done, so that the connections of closed handles are closed here
// and not left open until the next start; what has not ended within the limit stays queued.
void IoPool::StopLocked() {
  for (const auto& context : m_contexts) context->work.reset();
  const auto deadline = std::chrono::steady_clock::now() + kDrainLimit;
  for (const auto& context : m_contexts) {
    std::unique_lock lock(context->mutex);
    context->ended.wait_until(lock, deadline, [&] { return !context->running; });
  }
  for (const auto& context : m_contexts) context->io.stop();
  for (std::thread& thread : m_threads) thread.join();
  m_threads.clear();
}

}  // namespace camera
