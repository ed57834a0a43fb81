#pragma once
// Named colour styles from "style.xml":
//
//   <Styles>
//     <Style name="light blue">
//       <Color name="l_bk" value="#FFD6E9F8"/>
//     </Style>
//   </Styles>
//
// The applied style's colours are what GetColor answers for a name.

#include <map>
#include <string>

#include "platform/os/WinTypes.h"

namespace ui {

class CStyleManagerUI {
 public:
  static void InitInstance();
  // The instance (made by InitInstance, or on first use).
  static CStyleManagerUI* Instance();
  static void FreeInstance();

  // Reads the style sheet (a resource name). False when it cannot be read or parsed; the styles
  // loaded before stay.
  bool LoadStyles(const char* file);
  // Makes a loaded style current; false (and no change) for an unknown name.
  bool ApplyStyle(const char* name);
  const std::string& CurrentStyle() const { return m_current; }
  // "#AARRGGBB", "0xAARRGGBB" (or six digits, opaque), or a colour name of the current style.
  // 0 for anything else.
  DWORD GetColor(const char* text) const;

 private:
  CStyleManagerUI() = default;

  std::map<std::string, std::map<std::string, DWORD>> m_styles;
  std::string m_current;
};

}  // namespace ui
