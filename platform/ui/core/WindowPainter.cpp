// Painting a top-level or popup window: its invalid area is cleared, the window paints itself,
// then every visible child window paints itself at its place, all into the window's picture.

#include <algorithm>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/core/WindowModel.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {


void PaintChildren(DrawContext& dc, const std::shared_ptr<WindowRecord>& parent, POINT parentOrigin,
                   const RECT& dirty) {
  for (HWND child : std::vector<HWND>(parent->children)) {
    auto record = LocalRecord(child);
    if (record == nullptr || !record->visible) continue;
    const POINT origin{parentOrigin.x + record->rect.left, parentOrigin.y + record->rect.top};
    const RECT inRoot{origin.x, origin.y, origin.x + RectWidth(record->rect), origin.y + RectHeight(record->rect)};
    RECT area;
    if (!IntersectRect(&area, inRoot, dirty)) continue;
    dc.SetOffset(origin);
    dc.PushClip(OffsetRect(area, POINT{-origin.x, -origin.y}));
    Deliver(*record, WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    dc.PopClip();
    if (record->alive) PaintChildren(dc, record, origin, area);
  }
  dc.SetOffset(POINT{0, 0});
}

}  // namespace

void PaintRootWindow(HWND hwnd) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr || root->IsChildWindow() || root->canvas == nullptr) return;
  RECT dirty = root->dirty;
  root->dirty = RECT{};
  if (dirty.right <= dirty.left || dirty.bottom <= dirty.top) return;
  // A rounded window is painted whole, its corners left transparent.
  const SIZE round = root->roundCorner;
  const bool rounded = round.cx > 0 && round.cy > 0;
  if (rounded) {
    dirty = RECT{0, 0, root->canvas->Width(), root->canvas->Height()};
    root->canvas->Clear(0x00000000);
  }
  {
    DrawContext dc(*root->canvas);
    if (rounded) {
      dc.PushRoundClip(dirty, static_cast<int>(round.cx), static_cast<int>(round.cy));
    } else {
      dc.PushClip(dirty);
    }
    CRenderEngine::DrawColor(&dc, dirty, 0xFFFFFFFF);
    Deliver(*root, WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    if (root->alive) PaintChildren(dc, root, POINT{0, 0}, dirty);
    dc.PopClip();
  }
  if (root->alive && root->canvas != nullptr) CurrentHost().WindowPainted(hwnd, *root->canvas, dirty);
}

}  // namespace ui
