#include "platform/ui/core/WindowRecord.h"

namespace ui {

WindowTable& WindowTable::Instance() {
  static WindowTable table;
  return table;
}

HWND WindowTable::Add(std::shared_ptr<WindowRecord> record) {
  std::lock_guard lock(m_mutex);
  // Handles are never reused, so a stale HWND can never reach a newer window.
  const std::uintptr_t id = m_nextId++;
  record->hwnd = reinterpret_cast<HWND>(id);
  m_windows.emplace(id, std::move(record));
  return reinterpret_cast<HWND>(id);
}

std::shared_ptr<WindowRecord> WindowTable::Find(HWND hwnd) const {
  std::lock_guard lock(m_mutex);
  auto it = m_windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
  if (it == m_windows.end() || !it->second->alive) return nullptr;
  return it->second;
}

void WindowTable::Remove(HWND hwnd) {
  std::lock_guard lock(m_mutex);
  auto it = m_windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
  if (it == m_windows.end()) return;
  it->second->alive = false;
  m_windows.erase(it);
}

}  // namespace ui
