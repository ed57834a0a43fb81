#pragma once
// The rule editor's frame path: a decoded I420 frame scaled to the view, plane by plane
// (ScaleImageBilinear: Y to width x height, U and V to half of each), then converted to RGB565
// (ConvertYuv420ToRgb565). The scaled planes go to `planes`. A frame already of the view's size is
// converted straight from its own planes, with the words the scaled copy would have given.

#include <cstdint>

#include "cameraclient/CameraClient.h"
#include "configtool/features/rules/PlaneBuffer.h"

// `rgb565` holds height rows of `stride` bytes; the last width mod 8 pixels of each row are left
// as they were.
void ScaleFrameToView(const CameraClientFrame& frame, int width, int height, PlaneBuffer& planes, std::uint8_t* rgb565,
                      int stride);
