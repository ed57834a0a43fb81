#pragma once
// ARGB colours as Cairo sources (internal to the renderer and the hosts).

#include <cairo.h>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Color.h"

namespace ui {

inline void SetSourceColor(cairo_t* cr, DWORD argb, double opacity = 1.0) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                        ((argb >> 24) & 0xFF) / 255.0 * opacity);
}

}  // namespace ui
