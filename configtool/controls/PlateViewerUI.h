#pragma once
// CPlateViewerUI: a licence plate drawn as a picture: the background of the plate's colour and
// its characters cut one by one from a glyph sheet ("textimage") into fixed cells. The picture is
// made once for a plate and a size and kept, so that a paint only copies it.

#include <memory>
#include <string>

#include "configtool/controls/ImageViewerBaseUI.h"

// The backgrounds, in the order of SetPlate's background index.
enum PlateBackgroundIndex {
  kPlateBackgroundNone = -1,
  kPlateBackgroundBlue = 0,
  kPlateBackgroundYellow = 1,
  kPlateBackgroundWhite = 2,
  kPlateBackgroundBlack = 3,
  kPlateBackgroundAviation = 4,
  kPlateBackgroundEnergy = 5,
};

class CPlateViewerUI : public CImageViewerBaseUI {
 public:
  // The characters the viewer keeps: at most 11.
  static constexpr std::size_t kStoredCharacters = 11;

  void SetAttribute(const char* name, const char* value) override;
  void PaintBkImage(HDC hDC) override;

  // Shows the plate `text` (GBK) on the background `index`. A text of 7 or 8 characters is kept
  // as given; one that begins with "WJ" shows 武 in place of those two letters (and an empty cell
  // after it when that does not give 7 characters). Any other text leaves the viewer as it was.
  void SetPlate(const char* text, int index);

  const std::u16string& GetPlateText() const { return m_plate; }
  int GetBackgroundIndex() const { return m_background; }

 private:
  const ui::CDuiString* BackgroundImage() const;
  // The plate at `size`, made when the plate or the size changed; nullptr with nothing to show.
  const ui::Image* PlatePicture(SIZE size);
  void PaintGlyphs(HDC hDC, const RECT& image);

  ui::CDuiString m_textImage;
  ui::CDuiString m_blueImage;
  ui::CDuiString m_yellowImage;
  ui::CDuiString m_whiteImage;
  ui::CDuiString m_blackImage;
  ui::CDuiString m_aviationImage;
  ui::CDuiString m_energyImage;
  std::u16string m_plate;
  int m_background = kPlateBackgroundNone;
  std::shared_ptr<ui::Image> m_picture;
};
