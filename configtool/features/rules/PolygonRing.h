#pragma once
// Closing a polygon's ring and reading its distinct vertices back.

#include <vector>

#include "configtool/features/rules/JqPolygen.h"

enum class RingClosing {
  // The closing edge must not cross an edge of the list.
  Uncrossed,
  // Always closed: a ring that came from the camera keeps every vertex, crossing or not.
  Always,
};

// Appends the first vertex again (needs 3 stored points). Uncrossed leaves the list open and
// returns false when the edge from the last to the first vertex properly crosses another edge.
bool CloseRing(CJqPolygen& polygon, RingClosing closing = RingClosing::Uncrossed);

// The first min(stored - 1, maxVertices) stored points; false (nothing collected) with fewer than
// 3 stored points.
bool CollectVertices(const CJqPolygen& polygon, int maxVertices, std::vector<GraphPoint>& vertices);
