#pragma once
// The GDI-style colour calls that a window makes while it answers an edit window's colour messages
// (WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC, reflected as OCM_CTLCOLOREDIT / OCM_CTLCOLORSTATIC): it sets
// the text colour and background mode on the HDC it was given and returns a brush for the
// background. The edit window reads them back when it paints. Global names on purpose, like
// WinTypes.h, for the programs' window code.

#include <optional>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/DrawContext.h"

using COLORREF = DWORD;  // 0x00BBGGRR
constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return COLORREF{red} | (COLORREF{green} << 8) | (COLORREF{blue} << 16);
}
constexpr BYTE GetRValue(COLORREF color) { return static_cast<BYTE>(color); }
constexpr BYTE GetGValue(COLORREF color) { return static_cast<BYTE>(color >> 8); }
constexpr BYTE GetBValue(COLORREF color) { return static_cast<BYTE>(color >> 16); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

struct HBRUSH__;
using HBRUSH = HBRUSH__*;

namespace ui {

// Brushes live until DeleteObject; any thread may make and delete them.
HBRUSH CreateSolidBrush(COLORREF color);
bool DeleteObject(HBRUSH brush);
// The colour of a live brush; nullopt for anything else.
std::optional<COLORREF> GetBrushColor(HBRUSH brush);

// Colour state of an HDC while a window paints with it (the window thread only).
int SetBkMode(HDC hdc, int mode);                 // returns the previous mode
COLORREF SetTextColor(HDC hdc, COLORREF color);  // returns the previous colour, or CLR_INVALID
COLORREF SetBkColor(HDC hdc, COLORREF color);

struct DcColors {
  int bkMode = OPAQUE;
  std::optional<COLORREF> textColor;
  std::optional<COLORREF> bkColor;
};
// What the calls above left on `hdc`, forgotten afterwards.
DcColors TakeDcColors(HDC hdc);

// Answers an edit window's colour message for a field of ARGB `background` and `text` (text 0
// keeps the edit's own colour): a transparent background mode, the text colour, and the brush of
// the background, made into `brush` on the first call and kept there for the caller to delete.
HBRUSH AnswerEditColors(HDC hdc, DWORD background, DWORD text, HBRUSH& brush);

// ARGB (the framework's colours) from a COLORREF, opaque.
constexpr DWORD ArgbFromColorRef(COLORREF color) {
  return 0xFF000000 | (DWORD{GetRValue(color)} << 16) | (DWORD{GetGValue(color)} << 8) | GetBValue(color);
}

}  // namespace ui
