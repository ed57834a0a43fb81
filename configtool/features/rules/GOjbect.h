#pragma once
// CGOjbect: the base of the rule shapes, a named vertex list in image pixels that hit-tests a
// point, draws itself over the video, is dragged whole or by one vertex, and gains or loses
// vertices. The editor and GraphObjectManager call shapes only through these operations.

#include <cstdint>
#include <string>

#include "configtool/features/rules/RuleGeometry.h"
#include "platform/os/WinTypes.h"

namespace ui::gfx {
class Graphics;
}

// Shape states.
inline constexpr int kShapeNormal = 3;
inline constexpr int kShapeHover = 4;
inline constexpr int kShapeSelected = 6;

class CGOjbect {
 public:
  // Called once per drag, at its first real move, with the user pointer given beside it.
  using DragStartCallback = void (*)(void* user);

  CGOjbect() = default;
  virtual ~CGOjbect() = default;
  CGOjbect(const CGOjbect&) = delete;
  CGOjbect& operator=(const CGOjbect&) = delete;

  virtual void SetState(int state) { m_state = state; }
  virtual void SetColor(std::uint32_t argb) { m_color = argb; }
  // The distance (at most 100) from p to the outline; `inside` tells a hit inside the shape.
  virtual int HitTest(GraphPoint p, bool& inside) = 0;
  // Draws the shape in view pixels.
  virtual void Draw(ui::gfx::Graphics& graphics) = 0;
  // Drags the whole shape, or one vertex, with the mouse that was pressed at (viewX, viewY) on
  // `window`, until the button comes up; Escape puts the vertices back.
  virtual void DragMove(int viewX, int viewY, HWND window) = 0;
  virtual void DragVertex(int viewX, int viewY, HWND window, int index) = 0;
  // Inserts a vertex at the image point on the nearest edge; false when refused.
  virtual bool InsertVertex(int x, int y) = 0;
  // The vertex within `radius` of the image point, nearest (the later one on a tie), or -1.
  virtual int FindVertex(int x, int y, int radius) = 0;
  virtual void SetActiveVertex(int index) = 0;
  virtual int GetActiveVertex() const = 0;
  virtual void SetHoverVertex(int index) = 0;
  virtual int GetHoverVertex() const = 0;
  // Deletes the active vertex; false when refused.
  virtual bool DeleteVertex() = 0;
  virtual void ScalePoints(double fx, double fy) = 0;

  int GetState() const { return m_state; }
  int GetType() const { return m_type; }
  void SetType(int type) { m_type = type; }
  std::uint32_t GetColor() const { return m_color; }
  const std::string& GetName() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }
  // The flag of "called in this drag" starts cleared.
  void SetDragStartCallback(DragStartCallback callback, void* user);

 protected:
  // Calls the drag-start callback if it was not called in this drag yet.
  void NotifyDragStart();

  int m_state = 0;
  int m_type = 0;
  std::uint32_t m_color = 0xFF000000;
  std::string m_name;
  int m_activeVertex = -1;
  int m_hoverVertex = -1;
  DragStartCallback m_dragStart = nullptr;
  void* m_dragStartUser = nullptr;
  bool m_dragStartCalled = false;
};
