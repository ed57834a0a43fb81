#include "platform/camera/IoPool.h"

#include <algorithm>
#include <optional>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

namespace camera {
namespace {

// Reading is light work (the callbacks run elsewhere): a few threads serve a thousand connections.
std::size_t IoThreads() { return std::clamp(std::thread::hardware_concurrency() / 2, 2u, 4u); }

}  // namespace

struct IoPool::Context {
  boost::asio::io_context io{1};  // one thread runs it
  std::optional<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> work;

  void Run() {
    // A handler that throws (out of memory) costs its own work, not the thread.
    for (;;) {
      try {
        io.run();
        return;
      } catch (...) {
      }
    }
  }
};

IoPool::IoPool() {
  for (std::size_t i = 0; i < IoThreads(); ++i) m_contexts.push_back(std::make_unique<Context>());
}

IoPool::~IoPool() { Stop(); }

boost::asio::io_context& IoPool::Next() {
  {
    std::lock_guard lock(m_mutex);
    if (m_threads.empty()) {
      for (const auto& context : m_contexts) {
        context->io.restart();
        context->work.emplace(context->io.get_executor());
        m_threads.emplace_back([&context = *context] { context.Run(); });
      }
    }
  }
  return m_contexts[m_next++ % m_contexts.size()]->io;
}

void IoPool::Stop() {
  std::lock_guard lock(m_mutex);
  for (const auto& context : m_contexts) {
    context->work.reset();
    context->io.stop();
  }
  for (std::thread& thread : m_threads) thread.join();
  m_threads.clear();
}

}  // namespace camera
