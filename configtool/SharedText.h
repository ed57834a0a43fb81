#pragma once
// A text that the window thread keeps and library threads read: the copy of a control's text that
// a callback may use where it must not touch the control.

#include <mutex>
#include <string>

class SharedText {
 public:
  void Set(const std::string& text) {
    std::lock_guard lock(m_mutex);
    m_text = text;
  }
  std::string Get() const {
    std::lock_guard lock(m_mutex);
    return m_text;
  }

 private:
  mutable std::mutex m_mutex;
  std::string m_text;
};
