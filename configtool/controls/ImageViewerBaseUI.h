#pragma once
// CImageViewerBaseUI: a control that keeps the rectangle its picture is drawn into: the whole
// control ("fit"), or the largest rectangle of the picture's aspect ratio ("org"), aligned within
// the control. Derived viewers draw into GetImageRect().

#include "platform/ui/UIlib.h"

class CImageViewerBaseUI : public ui::CControlUI {
 public:
  enum ResizeMethod { kResizeFit = 0, kResizeOriginal = 1 };
  enum HorizontalAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
  enum VerticalAlign { kAlignTop = 0, kAlignVCenter = 1, kAlignBottom = 2 };

  void SetPos(RECT rc, bool needInvalidate = true) override;
  void SetAttribute(const char* name, const char* value) override;

  void SetVAlign(int align) { m_vAlign = align; }
  void SetHAlign(int align) { m_hAlign = align; }
  void SetResizeMethod(int method) { m_resizeMethod = method; }
  void SetPictureSize(SIZE size) { m_pictureSize = size; }
  const RECT& GetImageRect() const { return m_rcImage; }

 private:
  // The image rectangle for the control rectangle `rc`.
  void PlaceImage(const RECT& rc);

  SIZE m_pictureSize{100, 100};
  RECT m_rcImage{};
  int m_resizeMethod = kResizeFit;
  bool m_positionFollowsImage = false;
  int m_hAlign = kAlignLeft;
  int m_vAlign = kAlignTop;
};
