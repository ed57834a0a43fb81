#pragma once
// A window system for tests of workers: it keeps what they post to the test's window, in order,
// for the test to take (and free) as the window would. Posts to any other window fail, as to a
// window that is gone.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "platform/os/WindowSystem.h"

namespace wlist::test {

class PostedMessages : public os::WindowSystem {
 public:
  struct Message {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
  };

  static HWND Window() { return reinterpret_cast<HWND>(0x1000); }
  static HWND GoneWindow() { return reinterpret_cast<HWND>(0x2000); }

  PostedMessages() { os::InstallWindowSystem(this); }
  ~PostedMessages() override { os::InstallWindowSystem(nullptr); }
  PostedMessages(const PostedMessages&) = delete;
  PostedMessages& operator=(const PostedMessages&) = delete;

  bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (hwnd != Window()) return false;
    if (onPost) onPost(Message{message, wParam, lParam});
    {
      std::lock_guard lock(m_mutex);
      m_messages.push_back(Message{message, wParam, lParam});
    }
    m_posted.notify_all();
    return true;
  }
  bool IsWindow(HWND hwnd) override { return hwnd == Window(); }
  bool PresentVideo(HWND, const os::VideoImage&) override { return false; }
  std::optional<SIZE> VideoSize(HWND) override { return std::nullopt; }

  // The next message, waiting up to `timeout` of real time for it.
  std::optional<Message> Next(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    std::unique_lock lock(m_mutex);
    if (!m_posted.wait_for(lock, timeout, [&] { return !m_messages.empty(); })) return std::nullopt;
    const Message message = m_messages.front();
    m_messages.pop_front();
    return message;
  }

  // Runs on the posting thread, before the message is queued.
  std::function<void(const Message&)> onPost;

 private:
  std::mutex m_mutex;
  std::condition_variable m_posted;
  std::deque<Message> m_messages;
};

}  // namespace wlist::test
