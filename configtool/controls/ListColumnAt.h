#pragma once
// Which column of a list a point of one of its rows lies in, for the rows that report the column
// of a double click.

#include "platform/ui/UIlib.h"

// The first column of the owner's header with left <= x < right, when the point lies within the
// row's top and bottom; 0 when none matches, the point is outside the row, or there is no owner.
int ListColumnAt(ui::IListOwnerUI* owner, const RECT& row, POINT point);
