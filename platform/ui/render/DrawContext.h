#pragma once
// What `HDC` stands for in the framework: a Cairo context with a clip stack and an origin offset.
// Coordinates are the window's client pixels; the offset says where that origin lies on the target.
// Controls paint through CRenderEngine (and programs through gfx::Graphics), never with Cairo itself.

#include "platform/os/WinTypes.h"

typedef struct _cairo cairo_t;

namespace ui {

class Canvas;

class DrawContext {
 public:
  // Borrows `cr` (a host's window context); the caller keeps it alive.
  explicit DrawContext(cairo_t* cr);
  // Draws into the canvas.
  explicit DrawContext(Canvas& canvas);
  ~DrawContext();
  DrawContext(const DrawContext&) = delete;
  DrawContext& operator=(const DrawContext&) = delete;

  // Narrows the clip to `rc` (client pixels) until the matching PopClip.
  void PushClip(const RECT& rc);
  // Narrows the clip to a rectangle with rounded corners of the given ellipse width and height.
  void PushRoundClip(const RECT& rc, int roundWidth, int roundHeight);
  void PopClip();
  // The bounding box of the current clip, in client pixels.
  RECT ClipBox() const;
  // True when nothing of `rc` lies inside the clip.
  bool IsClippedOut(const RECT& rc) const;

  // Moves the client origin to (x, y) on the target; clips pushed before keep their place.
  void SetOffset(POINT offset);
  POINT Offset() const { return m_offset; }

  // For the renderer and the hosts.
  cairo_t* Cairo() const { return m_cr; }

 private:
  cairo_t* m_cr;
  POINT m_offset{};
  int m_clipDepth = 0;
};

}  // namespace ui

// The device-context handle of the programs' window code.
using HDC = ui::DrawContext*;
