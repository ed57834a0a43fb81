#pragma once
// Runs work on an executor of the simulator's io_context. A thread of that io_context only posts
// the work; any other thread (a test, the scheduler) waits until it has run, so that what it asked
// for has happened when the call returns.

#include <future>
#include <utility>

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>

namespace camsim {

template <typename Executor, typename Work>
void RunOn(boost::asio::io_context& io, const Executor& executor, Work work) {
  if (io.get_executor().running_in_this_thread() || io.stopped()) {
    boost::asio::post(executor, std::move(work));
    return;
  }
  std::promise<void> done;
  auto finished = done.get_future();
  boost::asio::post(executor, [&done, work = std::move(work)]() mutable {
    work();
    done.set_value();
  });
  finished.wait();
}

}  // namespace camsim
