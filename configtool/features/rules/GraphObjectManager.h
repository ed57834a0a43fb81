#pragma once
// GraphObjectManager: the one registry of the rule shapes on screen, kept for the whole process.
// It knows the image (in whose pixels the shapes keep their vertices) and the view (the play
// window the user points at), converts points between them, rescales the shapes when the image
// size changes, picks the shape under the mouse and keeps the hovered and the selected shape.
// Used on the window thread only; it does not own the shapes.

#include <string>
#include <vector>

#include "configtool/features/rules/RuleGeometry.h"

class CGOjbect;

class GraphObjectManager {
 public:
  // Made with 4000 x 3000 for image and view on first use.
  static GraphObjectManager& Instance();

  // Stores the view size; a new image size rescales every shape. Sizes of 0 or less are ignored.
  void SetSizes(int imageWidth, int imageHeight, int viewWidth, int viewHeight);

  GraphPoint ScreenToImage(GraphPoint view) const;
  int ScreenToImageX(int x) const;
  int ScreenToImageY(int y) const;
  int ImageToScreenX(int x) const;
  int ImageToScreenY(int y) const;
  // A point into 0..W-2 x 0..H-2 of the image.
  GraphPoint ClampToImage(GraphPoint p) const;
  // How near (in image pixels) a point must come to an outline or vertex to touch it: 10 view pixels.
  int Tolerance() const;

  void Add(CGOjbect* shape);
  // Unlinks the shape; selection and hover forget it.
  void Remove(CGOjbect* shape);
  // Empties the list; no selection, no hover.
  void Clear();
  int Count() const { return static_cast<int>(m_shapes.size()); }

  // The shape under the image point, or nullptr: the nearest inside hit competes with the nearest
  // outline within the tolerance; the earlier shape wins ties.
  CGOjbect* Pick(GraphPoint p) const;
  void UpdateHover(GraphPoint p);
  void UpdateHoverVertex(GraphPoint p);
  // Selects the shape; nullptr clears the selection and the hover highlight.
  void Select(CGOjbect* shape);
  CGOjbect* Selected() const { return m_selected; }
  CGOjbect* Hovered() const { return m_hover; }
  // The first shape of that name, byte for byte.
  CGOjbect* FindByName(const std::string& name) const;

  int ViewWidth() const { return m_viewWidth; }
  int ViewHeight() const { return m_viewHeight; }
  int ImageWidth() const { return m_imageWidth; }
  int ImageHeight() const { return m_imageHeight; }
  double ScaleX() const { return m_scaleX; }
  double ScaleY() const { return m_scaleY; }

 private:
  GraphObjectManager() = default;

  std::vector<CGOjbect*> m_shapes;
  CGOjbect* m_selected = nullptr;
  CGOjbect* m_hover = nullptr;
  int m_viewWidth = 4000;
  int m_viewHeight = 3000;
  int m_imageWidth = 4000;
  int m_imageHeight = 3000;
  double m_scaleX = 1.0;
  double m_scaleY = 1.0;
};
