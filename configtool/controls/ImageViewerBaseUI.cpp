#include "configtool/controls/ImageViewerBaseUI.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// "440,140": two decimal numbers with one character between them.
SIZE ParseSize(const char* value) {
  char* end = nullptr;
  const long width = std::strtol(value, &end, 10);
  const char* second = *end != '\0' ? end + 1 : end;
  return SIZE{width, std::strtol(second, nullptr, 10)};
}

// Places a span of `length` within [first, second) by the alignment (0 start, 1 centre, 2 end).
void AlignSpan(long& first, long& second, long length, int align, bool atStart) {
  if (atStart || align == 0) {
    second = first + length;
  } else if (align == 1) {
    // The centre, then the whole length from its start, so the rounded size is kept.
    first = (first + second) / 2 - length / 2;
    second = first + length;
  } else if (align == 2) {
    first = second - length;
  }
}

}  // namespace

void CImageViewerBaseUI::PlaceImage(const RECT& rc) {
  if (m_resizeMethod == kResizeFit) {
    m_rcImage = rc;
    return;
  }
  if (m_resizeMethod != kResizeOriginal) return;
  // A picture without an area has no ratio: the control's own rectangle serves.
  if (m_pictureSize.cx <= 0 || m_pictureSize.cy <= 0) {
    m_rcImage = rc;
    return;
  }
  const double w = static_cast<double>(RectWidth(rc));
  const double h = static_cast<double>(RectHeight(rc));
  const double w0 = static_cast<double>(m_pictureSize.cx);
  const double h0 = static_cast<double>(m_pictureSize.cy);
  m_rcImage = rc;
  if (h * w0 > w * h0) {
    const long height = std::lround(w * h0 / w0);
    AlignSpan(m_rcImage.top, m_rcImage.bottom, height, m_vAlign, m_positionFollowsImage);
  } else {
    const long width = std::lround(h * w0 / h0);
    AlignSpan(m_rcImage.left, m_rcImage.right, width, m_hAlign, m_positionFollowsImage);
  }
}

void CImageViewerBaseUI::SetPos(RECT rc, bool needInvalidate) {
  PlaceImage(rc);
  CControlUI::SetPos(m_positionFollowsImage ? m_rcImage : rc, needInvalidate);
}

void CImageViewerBaseUI::SetAttribute(const char* name, const char* value) {
  if (Is(name, "image_align")) {
    if (Is(value, "left")) m_hAlign = kAlignLeft;
    if (Is(value, "center")) m_hAlign = kAlignCenter;
    if (Is(value, "right")) m_hAlign = kAlignRight;
  } else if (Is(name, "image_valign")) {
    if (Is(value, "top")) m_vAlign = kAlignTop;
    if (Is(value, "center")) m_vAlign = kAlignVCenter;
    if (Is(value, "bottom")) m_vAlign = kAlignBottom;
  } else if (Is(name, "image_resize_method")) {
    if (Is(value, "fit")) m_resizeMethod = kResizeFit;
    if (Is(value, "org")) m_resizeMethod = kResizeOriginal;
  } else if (Is(name, "pos_resize_method")) {
    if (Is(value, "normal")) m_vAlign = kAlignTop;
    if (Is(value, "fit")) m_vAlign = kAlignVCenter;
  } else if (Is(name, "image_org_size")) {
    m_pictureSize = ParseSize(value);
  }
  CControlUI::SetAttribute(name, value);
}
