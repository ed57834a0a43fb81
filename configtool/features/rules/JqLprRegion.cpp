#include "configtool/features/rules/JqLprRegion.h"

namespace {

// Editing keeps the region between 4 and 9 distinct vertices.
constexpr int kMaxStoredForInsert = 9;
constexpr int kMinStoredForDelete = 6;

}  // namespace

void CJqLprRegion::Draw(ui::gfx::Graphics& graphics) { DrawRing(graphics, RingLook{2.0f, "识别区域", false, false}); }

bool CJqLprRegion::InsertVertex(int x, int y) {
  if (VertexCount() > kMaxStoredForInsert) return false;
  return CJqBrokenLine::InsertVertex(x, y);
}

bool CJqLprRegion::DeleteVertex() { return DeleteRingVertex(kMinStoredForDelete); }
