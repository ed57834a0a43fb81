#include "configtool/features/rules/JqPolygen.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "configtool/features/rules/GraphObjectManager.h"
#include "platform/ui/render/Font.h"
#include "platform/ui/render/gfx/Graphics.h"

namespace {

constexpr std::uint32_t kLabelColor = 0x9933FAFF;
constexpr std::uint32_t kHighlightColor = 0xC800FF00;
constexpr std::uint32_t kRingFillColor = 0x64F86E81;
constexpr std::uint32_t kActiveHandleColor = 0xDC00FF00;
constexpr std::uint32_t kHandleColor = 0x96FF0000;
constexpr std::uint32_t kHintColor = 0xFFFF6666;
constexpr int kLabelRise = 16;
// Shown while a loop vertex lies in the top third of the picture.
constexpr const char* kLowerPartHint = "请调节线圈位置于屏幕中下方";

const ui::Font& LabelFont() {
  static const std::shared_ptr<const ui::Font> font = ui::Font::Create(ui::FontSpec{"宋体", 16});
  return *font;
}

const ui::Font& HintFont() {
  static const std::shared_ptr<const ui::Font> font = ui::Font::Create(ui::FontSpec{"黑体", 22});
  return *font;
}

void DrawHandle(ui::gfx::Graphics& graphics, ui::gfx::PointF at, float size, std::uint32_t color) {
  const float offset = (size - 1) / 2;
  graphics.FillEllipse(ui::gfx::SolidBrush(color), ui::gfx::RectF{at.x - offset, at.y - offset, size, size});
}

}  // namespace

int CJqPolygen::DistinctVertexCount() const { return std::max(0, VertexCount() - 1); }

void CJqPolygen::CloseWithFirstVertex() {
  if (!m_points.empty()) m_points.push_back(m_points.front());
}

int CJqPolygen::HitTest(GraphPoint p, bool& inside) {
  inside = false;
  if (m_points.size() < 2) return 100;
  const int distance = OutlineDistance(p);
  if (distance > GraphObjectManager::Instance().Tolerance()) inside = PointInPolygon(m_points, p);
  return distance;
}

void CJqPolygen::Draw(ui::gfx::Graphics& graphics) { DrawRing(graphics, RingLook{1.0f, nullptr, true, true}); }

bool CJqPolygen::InsertVertex(int, int) { return false; }

// The loop's record has no vertex count: it always carries four vertices.
bool CJqPolygen::DeleteVertex() { return false; }

bool CJqPolygen::DeleteRingVertex(int minimumStored) {
  const int count = VertexCount();
  const int active = GetActiveVertex();
  if (count < minimumStored || active < 0 || active >= count) return false;
  if (active == 0) m_points.back() = m_points[1];
  if (active == count - 1) m_points.front() = m_points[static_cast<std::size_t>(count - 2)];
  m_points.erase(m_points.begin() + active);
  return true;
}

bool CJqPolygen::MoveWouldCross(int index, GraphPoint p) const {
  const int count = VertexCount();
  if (count < 4) return false;
  const int last = count - 1;
  const bool closing = index == 0 || index == last;
  const auto at = [this](int i) { return m_points[static_cast<std::size_t>(i)]; };
  const GraphPoint previous = closing ? at(count - 2) : at(index - 1);
  const GraphPoint next = closing ? at(1) : at(index + 1);
  for (int i = 0; i + 1 < count; ++i) {
    const bool adjacent = closing ? (i == 0 || i == count - 2) : (i == index - 1 || i == index);
    if (adjacent) continue;
    if (SegmentsIntersect(previous, p, at(i), at(i + 1)) || SegmentsIntersect(p, next, at(i), at(i + 1))) return true;
  }
  return false;
}

void CJqPolygen::PlaceVertex(int index, GraphPoint p) {
  if (index == 0 || index == VertexCount() - 1) {
    m_points.front() = p;
    m_points.back() = p;
    return;
  }
  m_points[static_cast<std::size_t>(index)] = p;
}

void CJqPolygen::DrawRing(ui::gfx::Graphics& graphics, const RingLook& look) const {
  if (m_points.size() < 2) return;
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  std::vector<ui::gfx::PointF> view;
  view.reserve(m_points.size());
  int top = manager.ImageToScreenY(m_points.front().y);
  for (const GraphPoint& p : m_points) {
    const int y = manager.ImageToScreenY(p.y);
    top = std::min(top, y);
    view.push_back(ui::gfx::PointF{static_cast<float>(manager.ImageToScreenX(p.x)), static_cast<float>(y)});
  }

  const std::string label = look.fixedLabel != nullptr ? std::string(look.fixedLabel) : m_name;
  graphics.DrawString(label, LabelFont(), ui::gfx::SolidBrush(kLabelColor),
                      ui::gfx::PointF{view.front().x, view.front().y - kLabelRise});
  graphics.SetSmoothingMode(ui::gfx::SmoothingMode::HighQuality);

  ui::gfx::GraphicsPath path;
  path.AddLines(view.data(), static_cast<int>(view.size()));
  if (m_state == kShapeNormal || m_state == kShapeHover || m_state == kShapeSelected) {
    const std::uint32_t outline = m_state == kShapeNormal ? m_color : kHighlightColor;
    graphics.DrawPath(ui::gfx::Pen(outline, look.penWidth), path);
    if (look.fillClosedRing && m_points.front() == m_points.back()) {
      graphics.FillPath(ui::gfx::SolidBrush(kRingFillColor), path);
    }
  }
  if (m_state == kShapeSelected) {
    for (int i = 0; i < DistinctVertexCount(); ++i) {
      const ui::gfx::PointF at = view[static_cast<std::size_t>(i)];
      if (i == m_activeVertex) {
        DrawHandle(graphics, at, 9, kActiveHandleColor);
      } else if (i == m_hoverVertex) {
        DrawHandle(graphics, at, 9, kHandleColor);
      } else {
        DrawHandle(graphics, at, 7, kHandleColor);
      }
    }
  }
  if (look.positionHint && top < manager.ViewHeight() / 3) {
    graphics.DrawString(kLowerPartHint, HintFont(), ui::gfx::SolidBrush(kHintColor),
                        ui::gfx::PointF{static_cast<float>(manager.ViewWidth() / 3 - 20),
                                        static_cast<float>(manager.ViewHeight() / 4)});
  }
}
