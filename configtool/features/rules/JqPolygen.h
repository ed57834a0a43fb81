#pragma once
// CJqPolygen: a closed ring, kept closed by storing its first vertex again at the end; the rule
// editor's virtual loop. It hit-tests inside as well as on the outline, moves a vertex only where
// the ring stays uncrossed (the first vertex and its closing copy move together), and draws the
// loop. The loop keeps its four vertices: it neither inserts nor deletes one.

#include <cstdint>

#include "configtool/features/rules/JqBrokenLine.h"

class CJqPolygen : public CJqBrokenLine {
 public:
  int HitTest(GraphPoint p, bool& inside) override;
  void Draw(ui::gfx::Graphics& graphics) override;
  bool InsertVertex(int x, int y) override;
  bool DeleteVertex() override;

  // Stored points that differ from the closing copy: vertex count - 1 (0 when fewer than 2).
  int DistinctVertexCount() const;
  // Stores the first vertex again at the end (see CloseRing); nothing for an empty list.
  void CloseWithFirstVertex();

 protected:
  struct RingLook {
    float penWidth;
    const char* fixedLabel;  // nullptr: the shape's name
    bool fillClosedRing;
    bool positionHint;  // asks for the loop in the lower part of the picture
  };

  bool MoveWouldCross(int index, GraphPoint p) const override;
  int SearchedVertexCount() const override { return DistinctVertexCount(); }
  void PlaceVertex(int index, GraphPoint p) override;
  // Erases the active vertex while at least `minimumStored` points are stored, keeping the ring closed.
  bool DeleteRingVertex(int minimumStored);
  void DrawRing(ui::gfx::Graphics& graphics, const RingLook& look) const;
};
