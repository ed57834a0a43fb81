#pragma once
// Where the plate viewer cuts a character from the glyph sheet and where it places it on the plate.
// The sheet is 224 x 550 pixels of 28 x 50 cells, 8 to a row; the plate is laid out in a design
// space of 440 x 140 units.

#include "platform/os/WinTypes.h"

// Marks a position of the stored plate text that stays empty (U+7A7A).
inline constexpr char16_t kPlateEmptyCell = u'\u7A7A';
inline constexpr int kPlateDesignWidth = 440;
inline constexpr int kPlateDesignHeight = 140;
// The layouts have this many positions; characters beyond them are not drawn.
inline constexpr int kPlatePositions = 8;

// The cell of a character of the sheet, -1 when the sheet has none. Digits occur twice (cells
// 37-46 and 74-83): `lastMatch` takes the second set, as the new-energy plate does.
int PlateGlyphCell(char16_t character, bool lastMatch);
// The cell's rectangle on the sheet.
RECT PlateGlyphSource(int cell);
// The rectangle of position `index` (0-based, below kPlatePositions) in the design space: the
// narrow layout for a stored text of 8 characters, the wide one for any other length.
RECT PlateDesignCell(int index, int storedLength);
