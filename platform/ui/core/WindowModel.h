#pragma once
// Internal helpers of the native-window model shared by its source files.

#include <memory>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/WindowRecord.h"

namespace ui {

// The record of a live window of the calling thread, or nullptr.
std::shared_ptr<WindowRecord> LocalRecord(HWND hwnd);
// Calls the window's procedure (or its default handling) now.
LRESULT Deliver(WindowRecord& record, UINT message, WPARAM wParam, LPARAM lParam);
// The top-level or popup window that holds the record's window.
std::shared_ptr<WindowRecord> RootRecord(const std::shared_ptr<WindowRecord>& record);
// The offset of the window's client origin inside its root window's client area.
POINT OriginInRoot(const std::shared_ptr<WindowRecord>& record);
// Paints the root window's invalid area into its picture and tells the host.
void PaintRootWindow(HWND root);
// Invalidates a rectangle of the root window (its client coordinates).
void InvalidateRoot(const std::shared_ptr<WindowRecord>& root, const RECT& rc);
// Has a video window repainted alone with its new picture (see PaintRootWindow).
void InvalidateVideoWindow(HWND hwnd);
// The process's window system for os::PostMessage and friends, installed once.
void EnsureWindowSystem();
// Sends WM_KILLFOCUS/WM_SETFOCUS and activation messages when a window goes (focus, active).
void FocusAfterDestroy(const std::shared_ptr<WindowRecord>& record);

}  // namespace ui
