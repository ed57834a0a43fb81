#pragma once
// CJqBrokenLine: an open list of vertices in image pixels. It hit-tests its segments, drags whole
// or by one vertex (refusing a move that makes two segments cross), and inserts a vertex on the
// segment nearest to a point. It draws nothing and deletes no vertex itself.

#include <vector>

#include "configtool/features/rules/GOjbect.h"

// The vertices a shape takes by AppendVertex.
inline constexpr int kMaxAppendedVertices = 12;

class CJqBrokenLine : public CGOjbect {
 public:
  int HitTest(GraphPoint p, bool& inside) override;
  void Draw(ui::gfx::Graphics& graphics) override;
  void DragMove(int viewX, int viewY, HWND window) override;
  void DragVertex(int viewX, int viewY, HWND window, int index) override;
  bool InsertVertex(int x, int y) override;
  int FindVertex(int x, int y, int radius) override;
  void SetActiveVertex(int index) override { m_activeVertex = index; }
  int GetActiveVertex() const override { return m_activeVertex; }
  void SetHoverVertex(int index) override { m_hoverVertex = index; }
  int GetHoverVertex() const override { return m_hoverVertex; }
  bool DeleteVertex() override { return false; }
  void ScalePoints(double fx, double fy) override;
  virtual void ClearPoints() { m_points.clear(); }

  int VertexCount() const { return static_cast<int>(m_points.size()); }
  // False when i is out of range.
  bool GetVertex(int i, GraphPoint& point) const;
  const std::vector<GraphPoint>& Points() const { return m_points; }
  // Appends while the shape holds fewer than kMaxAppendedVertices; false otherwise.
  bool AppendVertex(GraphPoint p);
  void MoveBy(int dx, int dy);

 protected:
  // The smallest distance from p to a segment, starting from 100.
  int OutlineDistance(GraphPoint p) const;
  // Whether moving vertex `index` to p makes one of its segments cross another segment.
  virtual bool MoveWouldCross(int index, GraphPoint p) const;
  // The vertex indices FindVertex looks at: [0, count).
  virtual int SearchedVertexCount() const { return VertexCount(); }
  // Sets vertex `index` during a vertex drag.
  virtual void PlaceVertex(int index, GraphPoint p) { m_points[static_cast<std::size_t>(index)] = p; }
  // Stops a whole-shape move where a vertex would leave 0..W-2 x 0..H-2.
  GraphPoint ClampDelta(GraphPoint delta) const;

  // The vertices as a drag found them, in the image size of then, for Escape to put back.
  struct VertexSnapshot {
    std::vector<GraphPoint> points;
    int imageWidth;
    int imageHeight;
  };
  VertexSnapshot TakeSnapshot() const;
  void PutBack(const VertexSnapshot& snapshot);

  std::vector<GraphPoint> m_points;
};
