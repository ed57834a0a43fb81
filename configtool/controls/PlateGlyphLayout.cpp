#include "configtool/controls/PlateGlyphLayout.h"

#include <string_view>

namespace {

constexpr std::u16string_view kSheet =
    u"藏川鄂甘赣贵桂黑沪吉冀津晋京辽鲁蒙闽宁青琼陕苏皖湘新渝豫粤云浙"
    u"学警领使港澳"
    u"0123456789"
    u"ABCDEFGHJKLMNPQRSTUVWXYZ"
    u"武民航"
    u"0123456789";
static_assert(kSheet.size() == 84);

constexpr int kCellWidth = 28;
constexpr int kCellHeight = 50;
constexpr int kCellsPerRow = 8;

constexpr int kCellTop = 25;
constexpr int kCellBottom = 115;
constexpr int kFirstCentre = 38;

// Character width w, gap g and step s of the two layouts.
struct PlateLayout {
  int width;
  int gap;
  int step;
};
constexpr PlateLayout kWideLayout{45, 34, 57};
constexpr PlateLayout kNarrowLayout{35, 44, 47};

int Centre(int index, const PlateLayout& layout) {
  if (index == 0) return kFirstCentre;
  if (index == 1) return kFirstCentre + layout.step;
  return kFirstCentre + layout.gap + layout.width + layout.step * (index - 1);
}

}  // namespace

int PlateGlyphCell(char16_t character, bool lastMatch) {
  const std::size_t found = lastMatch ? kSheet.rfind(character) : kSheet.find(character);
  return found == std::u16string_view::npos ? -1 : static_cast<int>(found);
}

RECT PlateGlyphSource(int cell) {
  const long left = kCellWidth * (cell % kCellsPerRow);
  const long top = kCellHeight * (cell / kCellsPerRow);
  return RECT{left, top, left + kCellWidth, top + kCellHeight};
}

RECT PlateDesignCell(int index, int storedLength) {
  const PlateLayout& layout = storedLength == 8 ? kNarrowLayout : kWideLayout;
  const int centre = Centre(index, layout);
  const int half = layout.width / 2;
  return RECT{centre - half, kCellTop, centre + half, kCellBottom};
}
