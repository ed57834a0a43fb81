#pragma once
// Controls and pop-ups made of a layout of their own ("Calendar.xml", "DateTimeCtrl.xml") build it inside
// their constructor with the tool's control factory. A layout that holds, directly or through an
// include, the very control that builds it would build itself without end: while a layout is
// being built on this thread, a control inside it that asks for the same layout gets nothing.

#include "platform/ui/UIlib.h"

// Builds `layout` with the tool's factory and the window's paint manager and makes its root the
// container's only child; a layout that cannot be built (or is already being built further up)
// leaves the container empty.
void BuildOwnLayout(ui::CContainerUI& container, const char* layout, ui::CPaintManagerUI* manager);

// Sets up a pop-up's own paint manager on its window and attaches `layout`, built with the tool's
// factory. Without its layout the pop-up stays empty.
void BuildPopupLayout(ui::CPaintManagerUI& pm, HWND window, const char* layout);
