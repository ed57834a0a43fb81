#include "platform/camera/DeliveryPool.h"

#include <system_error>

namespace camera {
namespace {

// With the I/O threads, the clock timers and a search, the library stays within 16 threads.
constexpr std::size_t kMaxDeliveryThreads = 8;

}  // namespace

DeliveryPool& DeliveryPool::Shared() {
  static auto* const pool = new DeliveryPool(kMaxDeliveryThreads);
  return *pool;
}

DeliveryPool::DeliveryPool(std::size_t maxThreads) : m_state(std::make_shared<State>(maxThreads)) {}

void DeliveryPool::Submit(std::function<void()> job) {
  State& state = *m_state;
  std::lock_guard lock(state.mutex);
  state.jobs.push_back(std::move(job));
  if (state.jobs.size() > state.idle && state.threads.size() < state.maxThreads) {
    try {
      std::thread thread(Run, m_state);
      const auto id = thread.get_id();
      state.threads.emplace(id, std::move(thread));
    } catch (const std::system_error&) {
      // No thread to be had now: the job waits for one that is free, or for the next Submit.
    }
  }
  state.work.notify_one();
}

void DeliveryPool::Stop() {
  std::map<std::thread::id, std::thread> threads;
  {
    std::lock_guard lock(m_state->mutex);
    threads.swap(m_state->threads);
  }
  m_state->work.notify_all();
  for (auto& [id, thread] : threads) {
    if (id == std::this_thread::get_id()) {
      thread.detach();
    } else {
      thread.join();
    }
  }
}

std::size_t DeliveryPool::Threads() const {
  std::lock_guard lock(m_state->mutex);
  return m_state->threads.size();
}

// A thread runs until Stop takes it off the list (it finishes the job it runs first).
void DeliveryPool::Run(const std::shared_ptr<State>& state) {
  const auto self = std::this_thread::get_id();
  std::unique_lock lock(state->mutex);
  for (;;) {
    ++state->idle;
    state->work.wait(lock, [&] { return !state->jobs.empty() || state->threads.count(self) == 0; });
    --state->idle;
    if (state->threads.count(self) == 0) return;
    std::function<void()> job = std::move(state->jobs.front());
    state->jobs.pop_front();
    lock.unlock();
    job();
    job = nullptr;  // what it holds is released outside the lock
    lock.lock();
  }
}

}  // namespace camera
