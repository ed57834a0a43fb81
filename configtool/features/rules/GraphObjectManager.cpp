#include "configtool/features/rules/GraphObjectManager.h"

#include <algorithm>
#include <cmath>

#include "configtool/features/rules/GOjbect.h"

namespace {

constexpr int kNoHit = 100000000;
constexpr double kTouchPixels = 10.0;

}  // namespace

GraphObjectManager& GraphObjectManager::Instance() {
  static GraphObjectManager instance;
  return instance;
}

void GraphObjectManager::SetSizes(int imageWidth, int imageHeight, int viewWidth, int viewHeight) {
  if (imageWidth <= 0 || imageHeight <= 0 || viewWidth <= 0 || viewHeight <= 0) return;
  m_viewWidth = viewWidth;
  m_viewHeight = viewHeight;
  if (imageWidth != m_imageWidth || imageHeight != m_imageHeight) {
    const double fx = static_cast<double>(imageWidth) / m_imageWidth;
    const double fy = static_cast<double>(imageHeight) / m_imageHeight;
    for (CGOjbect* shape : m_shapes) shape->ScalePoints(fx, fy);
    m_imageWidth = imageWidth;
    m_imageHeight = imageHeight;
  }
  m_scaleX = static_cast<double>(m_viewWidth) / m_imageWidth;
  m_scaleY = static_cast<double>(m_viewHeight) / m_imageHeight;
}

int GraphObjectManager::ScreenToImageX(int x) const { return static_cast<int>(std::floor(x / m_scaleX)); }
int GraphObjectManager::ScreenToImageY(int y) const { return static_cast<int>(std::floor(y / m_scaleY)); }
int GraphObjectManager::ImageToScreenX(int x) const { return static_cast<int>(std::ceil(x * m_scaleX)); }
int GraphObjectManager::ImageToScreenY(int y) const { return static_cast<int>(std::ceil(y * m_scaleY)); }

GraphPoint GraphObjectManager::ScreenToImage(GraphPoint view) const {
  return GraphPoint{ScreenToImageX(view.x), ScreenToImageY(view.y)};
}

GraphPoint GraphObjectManager::ClampToImage(GraphPoint p) const {
  return GraphPoint{std::clamp(p.x, 0, std::max(0, m_imageWidth - 2)),
                    std::clamp(p.y, 0, std::max(0, m_imageHeight - 2))};
}

int GraphObjectManager::Tolerance() const { return static_cast<int>(std::floor(kTouchPixels / m_scaleX)); }

void GraphObjectManager::Add(CGOjbect* shape) {
  if (shape != nullptr) m_shapes.push_back(shape);
}

void GraphObjectManager::Remove(CGOjbect* shape) {
  const auto it = std::find(m_shapes.begin(), m_shapes.end(), shape);
  if (it != m_shapes.end()) m_shapes.erase(it);
  if (m_selected == shape) m_selected = nullptr;
  if (m_hover == shape) m_hover = nullptr;
}

void GraphObjectManager::Clear() {
  m_shapes.clear();
  m_selected = nullptr;
  m_hover = nullptr;
}

CGOjbect* GraphObjectManager::Pick(GraphPoint p) const {
  CGOjbect* inside = nullptr;
  CGOjbect* outline = nullptr;
  int insideDistance = kNoHit;
  int outlineDistance = kNoHit;
  for (CGOjbect* shape : m_shapes) {
    bool isInside = false;
    const int distance = shape->HitTest(p, isInside);
    int& best = isInside ? insideDistance : outlineDistance;
    if (distance < best) {
      best = distance;
      (isInside ? inside : outline) = shape;
    }
  }
  if (outline != nullptr && Tolerance() < outlineDistance) outline = nullptr;
  if (inside != nullptr && outline != nullptr) return insideDistance < outlineDistance ? inside : outline;
  return inside != nullptr ? inside : outline;
}

void GraphObjectManager::UpdateHover(GraphPoint p) {
  CGOjbect* shape = Pick(p);
  if (m_hover != nullptr && m_hover != shape && m_hover->GetState() != kShapeSelected) m_hover->SetState(kShapeNormal);
  if (shape == nullptr) return;
  if (shape->GetState() != kShapeSelected) shape->SetState(kShapeHover);
  m_hover = shape;
}

void GraphObjectManager::UpdateHoverVertex(GraphPoint p) {
  if (m_selected != nullptr) m_selected->SetHoverVertex(m_selected->FindVertex(p.x, p.y, Tolerance()));
}

void GraphObjectManager::Select(CGOjbect* shape) {
  if (m_selected != nullptr && m_selected != shape) {
    m_selected->SetState(kShapeNormal);
    m_selected->SetHoverVertex(-1);
    m_selected->SetActiveVertex(-1);
  }
  if (shape == nullptr) {
    // Nothing under the press: no selection and no highlight left behind.
    m_selected = nullptr;
    if (m_hover != nullptr) m_hover->SetState(kShapeNormal);
    m_hover = nullptr;
    return;
  }
  shape->SetState(kShapeSelected);
  m_selected = shape;
}

CGOjbect* GraphObjectManager::FindByName(const std::string& name) const {
  const auto it = std::find_if(m_shapes.begin(), m_shapes.end(), [&](CGOjbect* s) { return s->GetName() == name; });
  return it != m_shapes.end() ? *it : nullptr;
}
