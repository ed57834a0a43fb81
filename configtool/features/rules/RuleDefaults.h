#pragma once
// Where the editor puts a new virtual loop and a new recognition region.

#include <array>

#include "configtool/features/rules/RuleGeometry.h"

// A band across the lower part of the picture, in image pixels: 14.6 % to 85.4 % of the width at
// 73 % of the height, widening to 2.4 % .. 97.6 % at 85 %.
std::array<GraphPoint, 4> DefaultLoopVertices(int imageWidth, int imageHeight);

// Nearly the whole view: (60, 60), (w - 60, 60), (w - 10, h - 10), (10, h - 10) in view pixels,
// given in image pixels (the view's points times image size over view size, kept in the image).
std::array<GraphPoint, 4> DefaultRegionVertices(int viewWidth, int viewHeight, int imageWidth, int imageHeight);
