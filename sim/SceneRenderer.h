#pragma once
// Draws the camera's view: a road seen from above a lane, with a car driving towards the camera
// and a plate that can be read in the picture.

#include <cstdint>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace camsim {

class SceneRenderer {
 public:
  // One car passes every kPassSeconds.
  static constexpr double kPassSeconds = 4.0;

  SceneRenderer(int width, int height);
  ~SceneRenderer();
  SceneRenderer(const SceneRenderer&) = delete;
  SceneRenderer& operator=(const SceneRenderer&) = delete;

  enum class PlateColour { Blue, Yellow, Green };

  // `passProgress` 0..1 is the car's way from the horizon to below the picture. Texts are UTF-8.
  void Render(double passProgress, const std::string& plate, PlateColour colour, const std::string& caption);
  // The progress at which the plate is largest while wholly in the picture.
  static constexpr double kCaptureProgress = 0.62;

  // Where the plate is at `passProgress`, in pixels.
  struct Bounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
  };
  Bounds PlateBounds(double passProgress) const;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // BGRA rows (Cairo ARGB32), Stride() bytes apart.
  const std::uint8_t* Pixels() const;
  int Stride() const;

 private:
  struct CarGeometry {
    double left, top, width, height;
    double plateCentreX, plateCentreY, plateWidth;
  };
  CarGeometry CarAt(double progress) const;
  void DrawRoad(cairo_t* cr) const;
  void DrawCar(cairo_t* cr, double progress, const std::string& plate, PlateColour colour) const;
  void DrawPlate(cairo_t* cr, double x, double y, double width, const std::string& plate, PlateColour colour) const;
  void DrawCaption(cairo_t* cr, const std::string& caption) const;

  int m_width;
  int m_height;
  cairo_surface_t* m_road;
  cairo_surface_t* m_frame;
};

}  // namespace camsim
