#pragma once
// Internal: the state of one native window and the process-wide table of windows. A record is
// changed only on its window's thread; `alive` and the video surface are the parts that other
// threads touch.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/VideoSurface.h"
#include "platform/ui/render/Canvas.h"

namespace ui {

class ThreadQueue;

struct WindowRecord {
  HWND hwnd = nullptr;
  std::shared_ptr<ThreadQueue> queue;
  std::atomic<bool> alive{true};
  // Set on the window's thread, read by posting threads.
  std::atomic<PostedMessageDiscarder> discarder{nullptr};

  std::string className;
  UINT classStyle = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // child: in the parent's client coordinates; otherwise screen coordinates
  HWND parent = nullptr;  // child windows: the parent; others: the owner
  std::vector<HWND> children;  // child windows in z-order, bottom first
  bool visible = false;
  bool enabled = true;
  bool destroying = false;
  std::string text;
  IWindowProcedure* procedure = nullptr;
  std::unique_ptr<IWindowClassBehavior> behavior;
  UINT icon = 0;
  UINT closeResult = IDCANCEL;
  SIZE roundCorner{};

  // Top-level and popup windows: the picture and what of it must be painted again: an area, and
  // video windows that paint themselves alone.
  std::unique_ptr<Canvas> canvas;
  RECT dirty{};
  std::vector<HWND> dirtyVideoWindows;

  VideoSurface video;

  bool IsChildWindow() const { return (style & WS_CHILD) != 0; }
  bool IsPopup() const { return (style & WS_POPUP) != 0; }
};

class WindowTable {
 public:
  static WindowTable& Instance();

  HWND Add(std::shared_ptr<WindowRecord> record);
  // The record of a live window, or nullptr.
  std::shared_ptr<WindowRecord> Find(HWND hwnd) const;
  // Marks the window dead for every thread (posts fail from then on) and forgets it.
  void Remove(HWND hwnd);

 private:
  mutable std::mutex m_mutex;
  std::unordered_map<std::uintptr_t, std::shared_ptr<WindowRecord>> m_windows;
  std::uintptr_t m_nextId = 0x10000;
};

}  // namespace ui
