#include "configtool/features/rules/RuleGraphCfgBusiness.h"

#include <algorithm>

#include "configtool/features/rules/FramePath.h"
#include "configtool/features/rules/GOjbect.h"
#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/PixelConversion.h"
#include "platform/os/AppDirectory.h"
#include "platform/ui/render/Font.h"
#include "platform/ui/render/gfx/Graphics.h"

namespace {

constexpr DWORD kNoFrameColor = 0xFF000000;
constexpr DWORD kWideAngleHintColor = 0xFFFF6666;
constexpr const char* kWideAngleHint = "配置规则时自动跳转到广角视角";
constexpr float kPlateWidth = 120;
constexpr float kPlateHeight = 38;
constexpr double kPlateEnlargement = 1.05;

}  // namespace

CRuleGraphCfgBusiness::CRuleGraphCfgBusiness()
    : m_frameBitmap(kMaxPictureWidth, kMaxPictureHeight, ui::gfx::PixelFormat::Rgb565) {}

void CRuleGraphCfgBusiness::Attach(HWND window, int viewWidth, int viewHeight) {
  m_window = window;
  m_view.store(ViewSize{viewWidth, viewHeight});
}

void CRuleGraphCfgBusiness::Detach() { m_window = nullptr; }

bool CRuleGraphCfgBusiness::OnFrame(const CameraClientFrame* frame) {
  if (frame == nullptr || frame->y == nullptr || frame->u == nullptr || frame->v == nullptr) return false;
  if (frame->width <= 0 || frame->height <= 0) return false;
  const ViewSize view = m_view.load();
  if (view.width <= 0 || view.height <= 0) return false;
  const int width = std::min(view.width, kMaxPictureWidth);
  const int height = std::min(view.height, kMaxPictureHeight);
  RulePicture& picture = m_handover.Back();
  picture.width = width;
  picture.height = height;
  picture.stride = PaddedStride(width, 16);
  picture.sourceWidth = frame->width;
  picture.sourceHeight = frame->height;
  picture.viewWidth = view.width;
  picture.viewHeight = view.height;
  ScaleFrameToView(*frame, width, height, m_planes, picture.rgb565.data(), picture.stride);
  m_handover.Publish();
  return true;
}

void CRuleGraphCfgBusiness::PresentFrame() {
  if (m_window == nullptr) return;
  if (m_handover.TakeNewest()) {
    const RulePicture& picture = m_handover.Front();
    m_frameBitmap.WritePixels(0, 0, picture.width, picture.height, picture.rgb565.data(), picture.stride);
    m_scaledWidth = picture.width;
    m_scaledHeight = picture.height;
    m_sourceWidth = picture.sourceWidth;
    m_sourceHeight = picture.sourceHeight;
    GraphObjectManager::Instance().SetSizes(m_scaledWidth, m_scaledHeight, picture.viewWidth, picture.viewHeight);
  }
  ui::InvalidateRect(m_window, nullptr, false);
}

void CRuleGraphCfgBusiness::OnPaint(HDC hDC, const RECT& rc) {
  const int viewWidth = static_cast<int>(RectWidth(rc));
  const int viewHeight = static_cast<int>(RectHeight(rc));
  if (hDC == nullptr || viewWidth <= 0 || viewHeight <= 0) return;
  m_view.store(ViewSize{viewWidth, viewHeight});
  ui::gfx::Graphics target(hDC);
  const ui::gfx::RectF whole{static_cast<float>(rc.left), static_cast<float>(rc.top), static_cast<float>(viewWidth),
                             static_cast<float>(viewHeight)};
  if (!HasFrame()) {
    target.FillRectangle(ui::gfx::SolidBrush(kNoFrameColor), whole);
    return;
  }
  ui::gfx::Bitmap& offscreen = Offscreen(viewWidth, viewHeight);
  {
    ui::gfx::Graphics graphics(offscreen);
    graphics.DrawImage(m_frameBitmap, ui::gfx::RectF{0, 0, whole.width, whole.height},
                       ui::gfx::RectF{0, 0, static_cast<float>(m_scaledWidth), static_cast<float>(m_scaledHeight)});
    LoadPlateHintImage();
    if (m_plateHint) DrawPlateHint(graphics, viewWidth, viewHeight);
    if (m_loopShape != nullptr) m_loopShape->Draw(graphics);
    if (m_regionShape != nullptr) m_regionShape->Draw(graphics);
    if (m_wideAngleHint) {
      static const std::shared_ptr<const ui::Font> font = ui::Font::Create(ui::FontSpec{"宋体", 22});
      graphics.DrawString(kWideAngleHint, *font, ui::gfx::SolidBrush(kWideAngleHintColor),
                          ui::gfx::PointF{static_cast<float>(viewWidth / 3 - 20), static_cast<float>(viewHeight / 4)});
    }
  }
  target.DrawImage(offscreen, whole.x, whole.y);
}

ui::gfx::Bitmap& CRuleGraphCfgBusiness::Offscreen(int viewWidth, int viewHeight) {
  if (m_offscreen == nullptr || m_offscreen->Width() != viewWidth || m_offscreen->Height() != viewHeight) {
    m_offscreen = std::make_unique<ui::gfx::Bitmap>(viewWidth, viewHeight, ui::gfx::PixelFormat::Rgb565);
  }
  return *m_offscreen;
}

void CRuleGraphCfgBusiness::LoadPlateHintImage() {
  if (m_plateHintLoaded) return;
  m_plateHintLoaded = true;
  m_plateHintImage = ui::gfx::Bitmap::FromFile(os::GetApplicationDirectory() + "/blue_plate.png");
}

void CRuleGraphCfgBusiness::DrawPlateHint(ui::gfx::Graphics& graphics, int viewWidth, int viewHeight) const {
  if (m_plateHintImage == nullptr) return;
  graphics.DrawImage(*m_plateHintImage,
                     PlateHintRect(viewWidth, viewHeight, m_scaledWidth, m_scaledHeight, m_sourceWidth, m_sourceHeight),
                     ui::gfx::RectF{0, 0, kPlateWidth, kPlateHeight});
}

ui::gfx::RectF PlateHintRect(int viewWidth, int viewHeight, int scaledWidth, int scaledHeight, int sourceWidth,
                             int sourceHeight) {
  const double sx = sourceWidth > 0 ? scaledWidth * kPlateEnlargement / sourceWidth : 1.0;
  const double sy = sourceHeight > 0 ? scaledHeight * kPlateEnlargement / sourceHeight : 1.0;
  const double width = sx * kPlateWidth;
  const double height = sy * kPlateHeight;
  const int x = static_cast<int>(viewWidth / 2 - width * 0.5);
  const int y = static_cast<int>(viewHeight * 0.7);
  return ui::gfx::RectF{static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                        static_cast<float>(height)};
}
