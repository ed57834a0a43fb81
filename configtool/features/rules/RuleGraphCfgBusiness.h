#pragma once
// CRuleGraphCfgBusiness: the rule editor's drawing surface. The camera library's frame thread
// hands it each decoded I420 frame (OnFrame): the frame is scaled to the view (at most 1920 x
// 1280) and converted to RGB565, and the picture handed over whole to the window thread. The
// editor's 40 ms timer presents the newest picture (PresentFrame): it goes into the frame bitmap,
// the shapes learn the new image size, and the window repaints. Painting (OnPaint) composes the
// frame stretched over the whole view, the plate-size hint, the two shapes and the wide-angle
// hint off screen, then puts the result on the window.

#include <atomic>
#include <memory>

#include "cameraclient/CameraClient.h"
#include "configtool/features/rules/FrameHandover.h"
#include "configtool/features/rules/PlaneBuffer.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/render/gfx/Bitmap.h"
#include "platform/ui/render/gfx/Geometry.h"
#include "platform/ui/render/gfx/Graphics.h"

class CGOjbect;

class CRuleGraphCfgBusiness : public ui::IPlayOnPaintCallBack {
 public:
  CRuleGraphCfgBusiness();
  CRuleGraphCfgBusiness(const CRuleGraphCfgBusiness&) = delete;
  CRuleGraphCfgBusiness& operator=(const CRuleGraphCfgBusiness&) = delete;

  // --- The window thread ---
  void Attach(HWND window, int viewWidth, int viewHeight);
  // No more presenting: the window is going.
  void Detach();
  void PresentFrame();
  void OnPaint(HDC hDC, const RECT& rc) override;
  void SetPlateHint(bool show) { m_plateHint = show; }
  void SetWideAngleHint(bool show) { m_wideAngleHint = show; }
  void SetLoopShape(CGOjbect* shape) { m_loopShape = shape; }
  void SetRegionShape(CGOjbect* shape) { m_regionShape = shape; }
  bool HasFrame() const { return m_scaledWidth > 0 && m_scaledHeight > 0; }
  int ScaledWidth() const { return m_scaledWidth; }
  int ScaledHeight() const { return m_scaledHeight; }

  // --- The frame thread ---
  // True when the frame became the newest picture (a view size is known and the frame is whole).
  bool OnFrame(const CameraClientFrame* frame);

 private:
  // Aligned to its size, so that its atomic is lock-free with every compiler (clang would
  // otherwise call into libatomic).
  struct alignas(8) ViewSize {
    int width;
    int height;
  };

  void LoadPlateHintImage();
  void DrawPlateHint(ui::gfx::Graphics& graphics, int viewWidth, int viewHeight) const;
  ui::gfx::Bitmap& Offscreen(int viewWidth, int viewHeight);

  // The view size the next frame is scaled to: written on the window thread, read once per frame.
  std::atomic<ViewSize> m_view{ViewSize{0, 0}};
  FrameHandover m_handover;
  PlaneBuffer m_planes;  // the frame thread's

  ui::gfx::Bitmap m_frameBitmap;
  std::unique_ptr<ui::gfx::Bitmap> m_offscreen;
  HWND m_window = nullptr;
  int m_scaledWidth = 0;
  int m_scaledHeight = 0;
  int m_sourceWidth = 0;
  int m_sourceHeight = 0;
  bool m_plateHintLoaded = false;
  std::unique_ptr<ui::gfx::Bitmap> m_plateHintImage;
  bool m_plateHint = true;
  bool m_wideAngleHint = false;
  CGOjbect* m_loopShape = nullptr;
  CGOjbect* m_regionShape = nullptr;
};

// Where the plate-size hint goes in the view: a 120 x 38 plate at the frame's scale, enlarged by
// 5 %, centred across the view and 70 % down.
ui::gfx::RectF PlateHintRect(int viewWidth, int viewHeight, int scaledWidth, int scaledHeight, int sourceWidth,
                             int sourceHeight);
