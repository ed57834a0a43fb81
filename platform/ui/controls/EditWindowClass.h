#pragma once
// The emulated single-line edit control: the default behaviour of native windows of the class
// "Edit" and of every window class that names "Edit" as its super class (CEditWnd and the
// programs' own edit windows). It keeps the text, selection, caret, limit, read-only state,
// password character and margins, takes typed characters and editing keys, paints itself and
// tells its parent about user edits with WM_COMMAND (EN_UPDATE, then EN_CHANGE), which the paint
// manager reflects back to the edit window as OCM_COMMAND.
//
// Messages: WM_SETTEXT, WM_GETTEXT, WM_SETFONT, WM_GETFONT, WM_CHAR (one GBK character, see
// NativeWindow.h; a lead byte alone waits for its trail byte), WM_KEYDOWN (arrows, Home, End,
// Delete, Shift+Delete, Ctrl+Insert, Shift+Insert), the mouse (caret, drag selection, double click
// selects a word), WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, EM_GETSEL, EM_SETSEL, EM_REPLACESEL,
// EM_LIMITTEXT, EM_SETREADONLY, EM_SETPASSWORDCHAR, EM_SETMARGINS, EM_CHARFROMPOS, EM_POSFROMCHAR,
// EM_GETMODIFY, EM_SETMODIFY; styles ES_PASSWORD, ES_READONLY, ES_NUMBER. Only edits by the user
// send EN_CHANGE: WM_SETTEXT (a change made by code) does not. Before painting it asks its parent
// for colours with WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when disabled or read-only); see GdiColors.h.

namespace ui {

// The class name, for windows created without a CWindowWnd.
inline constexpr const char* kEditWindowClass = "Edit";

}  // namespace ui
