#include "configtool/controls/PlateViewerUI.h"

#include <cmath>
#include <cstring>

#include "configtool/controls/PlateGlyphLayout.h"
#include "platform/os/Charset.h"
#include "platform/ui/render/Canvas.h"

namespace {

constexpr char16_t kArmedPolice = u'\u6B66';  // 武

// Glyphs are white on the dark backgrounds (blue, black, aviation), black on the others.
const char* GlyphColour(int background) {
  switch (background) {
    case kPlateBackgroundBlue:
    case kPlateBackgroundBlack:
    case kPlateBackgroundAviation:
      return "#FFFFFFFF";
    default:
      return "#FF000000";
  }
}

long Scaled(long value, double factor) { return std::lround(static_cast<double>(value) * factor); }

}  // namespace

void CPlateViewerUI::SetAttribute(const char* name, const char* value) {
  struct Slot {
    const char* name;
    ui::CDuiString CPlateViewerUI::*member;
  };
  static const Slot kSlots[] = {
      {"bkimage_blue", &CPlateViewerUI::m_blueImage},     {"bkimage_yellow", &CPlateViewerUI::m_yellowImage},
      {"bkimage_white", &CPlateViewerUI::m_whiteImage},   {"bkimage_black", &CPlateViewerUI::m_blackImage},
      {"bkimage_aviation", &CPlateViewerUI::m_aviationImage}, {"bkimage_energy", &CPlateViewerUI::m_energyImage},
      {"textimage", &CPlateViewerUI::m_textImage}};
  for (const Slot& slot : kSlots) {
    if (std::strcmp(name, slot.name) != 0) continue;
    this->*slot.member = value;
    m_picture.reset();
  }
  CImageViewerBaseUI::SetAttribute(name, value);
}

void CPlateViewerUI::SetPlate(const char* text, int index) {
  const std::u16string plate = os::GbkToUtf16(text != nullptr ? text : "");
  if (plate.starts_with(u"WJ")) {
    std::u16string armed = kArmedPolice + plate.substr(2);
    if (armed.size() != 7) armed.insert(1, 1, kPlateEmptyCell);
    m_plate = armed.substr(0, kStoredCharacters);
    m_background = index;
  } else if (plate.size() == 7 || plate.size() == 8) {
    m_plate = plate;
    m_background = index;
  }
  m_picture.reset();
  Invalidate();
}

const ui::CDuiString* CPlateViewerUI::BackgroundImage() const {
  switch (m_background) {
    case kPlateBackgroundBlue:
      return &m_blueImage;
    case kPlateBackgroundYellow:
      return &m_yellowImage;
    case kPlateBackgroundWhite:
      return &m_whiteImage;
    case kPlateBackgroundBlack:
      return &m_blackImage;
    case kPlateBackgroundAviation:
      return &m_aviationImage;
    case kPlateBackgroundEnergy:
      return &m_energyImage;
    default:
      return nullptr;
  }
}

void CPlateViewerUI::PaintBkImage(HDC hDC) {
  const RECT& image = GetImageRect();
  const ui::Image* plate = PlatePicture(SIZE{RectWidth(image), RectHeight(image)});
  if (plate == nullptr) return;
  ui::CRenderEngine::DrawImage(hDC, *plate, image, m_rcPaint, RECT{0, 0, plate->Width(), plate->Height()}, RECT{});
}

const ui::Image* CPlateViewerUI::PlatePicture(SIZE size) {
  if (m_picture != nullptr && m_picture->Width() == size.cx && m_picture->Height() == size.cy) return m_picture.get();
  m_picture.reset();
  const ui::CDuiString* background = BackgroundImage();
  if (background == nullptr || background->IsEmpty() || m_pManager == nullptr || size.cx < 1 || size.cy < 1) {
    return nullptr;
  }
  ui::Canvas canvas(static_cast<int>(size.cx), static_cast<int>(size.cy));
  canvas.Clear(0x00000000);
  {
    ui::DrawContext dc(canvas);
    const RECT place{0, 0, size.cx, size.cy};
    ui::CRenderEngine::DrawImageString(&dc, m_pManager->GetImageCache(), place, place, background->Str());
    PaintGlyphs(&dc, place);
  }
  m_picture = canvas.ToImage();
  return m_picture.get();
}

void CPlateViewerUI::PaintGlyphs(HDC hDC, const RECT& image) {
  const double sx = static_cast<double>(RectWidth(image)) / kPlateDesignWidth;
  const double sy = static_cast<double>(RectHeight(image)) / kPlateDesignHeight;
  const int length = static_cast<int>(m_plate.size());
  const bool lastMatch = m_background == kPlateBackgroundEnergy;
  for (int i = 0; i < length && i < kPlatePositions; ++i) {
    if (m_plate[i] == kPlateEmptyCell) continue;
    const int cell = PlateGlyphCell(m_plate[i], lastMatch);
    // A character the sheet lacks stays empty.
    if (cell < 0) continue;
    const RECT design = PlateDesignCell(i, length);
    const RECT place{image.left + Scaled(design.left, sx), image.top + Scaled(design.top, sy),
                     image.left + Scaled(design.right, sx), image.top + Scaled(design.bottom, sy)};
    const RECT source = PlateGlyphSource(cell);
    const std::string description = "file='" + m_textImage.Str() + "' source='" + std::to_string(source.left) + "," +
                                    std::to_string(source.top) + "," + std::to_string(source.right) + "," +
                                    std::to_string(source.bottom) + "' font='true' fontcolor='" +
                                    GlyphColour(m_background) + "'";
    ui::CRenderEngine::DrawImageString(hDC, m_pManager->GetImageCache(), place, image, description);
  }
}
