#include "configtool/features/rules/ShapeDrag.h"

#include "platform/ui/core/NativeWindow.h"

namespace {

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

ShapeDragEnd TrackMouse(HWND window, int cursorId, bool cursorOnEveryMove,
                        const std::function<void(GraphPoint view)>& onMove) {
  for (;;) {
    if (!ui::IsWindow(window) || ui::GetCapture() != window) return ShapeDragEnd::Interrupted;
    MSG msg;
    if (!ui::GetMessage(&msg, nullptr, 0, 0)) {
      ui::PostQuitMessage(static_cast<int>(msg.wParam));
      return ShapeDragEnd::Interrupted;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      if (msg.hwnd != window) continue;
      if (msg.message == WM_LBUTTONUP) return ShapeDragEnd::Released;
      if (cursorOnEveryMove) ui::SetCursor(ui::LoadCursor(nullptr, cursorId));
      onMove(GraphPoint{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
      continue;
    }
    // Keys would act on the shape under the drag (Delete on the dragged vertex).
    if (IsKeyMessage(msg.message)) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return ShapeDragEnd::Cancelled;
      continue;
    }
    ui::DispatchMessage(&msg);
  }
}

}  // namespace

ShapeDragEnd RunShapeDrag(HWND window, int cursorId, bool cursorOnEveryMove,
                          const std::function<void(GraphPoint view)>& onMove) {
  if (!ui::IsWindow(window)) return ShapeDragEnd::Interrupted;
  const ui::HCURSOR previous = ui::SetCursor(ui::LoadCursor(nullptr, cursorId));
  ui::SetCapture(window);
  const ShapeDragEnd end = TrackMouse(window, cursorId, cursorOnEveryMove, onMove);
  if (ui::GetCapture() == window) ui::ReleaseCapture();
  ui::SetCursor(previous);
  return end;
}
