# The renderer's outside libraries. The framework target that compiles platform/ui/render/*.cpp
# includes this file and calls lpr_link_ui_render(<target>).
pkg_check_modules(LPR_UI_RENDER REQUIRED IMPORTED_TARGET cairo pango pangocairo libpng libturbojpeg)

function(lpr_link_ui_render target)
  target_link_libraries(${target} PRIVATE PkgConfig::LPR_UI_RENDER)
endfunction()
