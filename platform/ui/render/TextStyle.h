#pragma once
// Text format flags for CRenderEngine::DrawText and MeasureText, with the values and meanings the
// programs' window code knows from the original platform. Global names on purpose, like WinTypes.h.

#include "platform/os/WinTypes.h"

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;   // wrap at word boundaries (a CJK character is a word)
constexpr UINT DT_SINGLELINE = 0x00000020;  // one line; line breaks in the text are shown as spaces
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_NOCLIP = 0x00000100;         // do not clip the text to the rectangle
constexpr UINT DT_CALCRECT = 0x00000400;       // measure only: the rectangle's right and bottom are set
constexpr UINT DT_NOPREFIX = 0x00000800;       // accepted; '&' is never a prefix character here
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;  // treated as DT_END_ELLIPSIS
constexpr UINT DT_END_ELLIPSIS = 0x00008000;   // cut a line that does not fit with "..."
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;  // treated as DT_END_ELLIPSIS
