#pragma once
// An image description as layouts and controls write it:
//   file='bk.png' source='0,0,28,50' dest='2,2,30,52' corner='4,4,4,4' mask='#FFFF00FF' fade='128'
//   font='true' fontcolor='#FFFFFFFF'
// or just a file name. Values stand in single or double quotes; unknown keys are ignored.
//   source    the part of the picture to draw (default: all of it)
//   dest      where to draw, relative to the control's top-left (default: the whole control)
//   corner    nine-patch insets of the source: corners keep their size, edges and middle stretch
//   mask      pixels of this colour are transparent
//   fade      overall opacity 0..255
//   font      'true': the picture is a glyph; its alpha is drawn in fontcolor (default opaque black)

#include <optional>
#include <string>
#include <string_view>

#include "platform/os/WinTypes.h"

namespace ui {

struct ImageDescription {
  std::string file;
  std::optional<RECT> source;
  std::optional<RECT> dest;
  RECT corner{};
  DWORD mask = 0;  // 0: none
  BYTE fade = 255;
  bool font = false;
  DWORD fontColor = 0xFF000000;
};

// Parses `text` over `base` (a control's modifier string over its image). nullopt when the result
// names no file.
std::optional<ImageDescription> ParseImageDescription(std::string_view text);
std::optional<ImageDescription> ParseImageDescription(std::string_view text, const ImageDescription& base);

}  // namespace ui
