// Painting a top-level or popup window: its invalid area is cleared, the window paints itself,
// then every visible child window paints itself at its place, all into the window's picture.
// A video window with a new picture paints alone over the picture, as a child window that
// repaints itself does on the original platform, unless a window above it overlaps it.

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/core/WindowModel.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

bool IsEmptyRect(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

RECT Union(const RECT& a, const RECT& b) {
  if (IsEmptyRect(a)) return b;
  if (IsEmptyRect(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT AreaInRoot(const std::shared_ptr<WindowRecord>& record) {
  const POINT origin = OriginInRoot(record);
  if (!record->IsChildWindow()) return RECT{0, 0, RectWidth(record->rect), RectHeight(record->rect)};
  return RECT{origin.x, origin.y, origin.x + RectWidth(record->rect), origin.y + RectHeight(record->rect)};
}

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

// A video window to paint alone: where it shows in the root (clipped by its ancestors), and
// whether a window above it (a later sibling of it or of an ancestor) overlaps that.
struct VideoPlace {
  std::shared_ptr<WindowRecord> record;
  POINT origin{};
  RECT area{};
  bool covered = false;
};

std::optional<VideoPlace> PlaceOf(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || !record->IsChildWindow() || !IsWindowVisible(hwnd)) return std::nullopt;
  VideoPlace place{record, OriginInRoot(record), AreaInRoot(record)};
  for (auto current = record; current->IsChildWindow();) {
    auto parent = LocalRecord(current->parent);
    if (parent == nullptr || !IntersectRect(&place.area, place.area, AreaInRoot(parent))) return std::nullopt;
    const POINT parentOrigin = OriginInRoot(parent);
    auto above = std::find(parent->children.begin(), parent->children.end(), current->hwnd);
    for (++above; above < parent->children.end(); ++above) {
      auto sibling = LocalRecord(*above);
      RECT overlap;
      if (sibling != nullptr && sibling->visible &&
          IntersectRect(&overlap, OffsetRect(sibling->rect, parentOrigin), place.area)) {
        place.covered = true;
      }
    }
    current = parent;
  }
  return place;
}

void PaintArea(const std::shared_ptr<WindowRecord>& root, RECT dirty) {
  // A rounded window is painted whole, its corners left transparent.
  const SIZE round = root->roundCorner;
  const bool rounded = round.cx > 0 && round.cy > 0;
  if (rounded) root->canvas->Clear(0x00000000);
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

void PaintVideoWindow(const std::shared_ptr<WindowRecord>& root, const VideoPlace& place) {
  DrawContext dc(*root->canvas);
  dc.SetOffset(place.origin);
  dc.PushClip(OffsetRect(place.area, POINT{-place.origin.x, -place.origin.y}));
  Deliver(*place.record, WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
  dc.PopClip();
  if (place.record->alive) PaintChildren(dc, place.record, place.origin, place.area);
}

}  // namespace

void PaintRootWindow(HWND hwnd) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr || root->IsChildWindow() || root->canvas == nullptr) return;
  RECT dirty = root->dirty;
  root->dirty = RECT{};
  std::vector<VideoPlace> alone;
  const bool rounded = root->roundCorner.cx > 0 && root->roundCorner.cy > 0;
  for (HWND video : std::exchange(root->dirtyVideoWindows, {})) {
    auto place = PlaceOf(video);
    if (!place) continue;
    if (place->covered || rounded) {
      dirty = Union(dirty, place->area);
    } else {
      alone.push_back(std::move(*place));
    }
  }
  if (rounded && !IsEmptyRect(dirty)) dirty = RECT{0, 0, root->canvas->Width(), root->canvas->Height()};
  if (!IsEmptyRect(dirty)) PaintArea(root, dirty);
  RECT painted = dirty;
  for (const VideoPlace& place : alone) {
    // A video window inside the area has been painted with it.
    if (!root->alive || root->canvas == nullptr || !place.record->alive || Contains(dirty, place.area)) continue;
    PaintVideoWindow(root, place);
    painted = Union(painted, place.area);
  }
  if (IsEmptyRect(painted) || !root->alive || root->canvas == nullptr) return;
  CurrentHost().WindowPainted(hwnd, *root->canvas, painted);
}

}  // namespace ui
