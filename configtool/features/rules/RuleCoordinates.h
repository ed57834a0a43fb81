#pragma once
// Rule vertices travel to and from the camera in thousandths of the picture's width and height.

#include <cstdint>

#include "cameraclient/CameraClient.h"
#include "configtool/features/rules/RuleGeometry.h"

class GraphObjectManager;

// pixels * 1000 / size, truncated toward zero; 0 for a size of 0 or less.
std::int32_t ToThousandths(int pixels, int size);
// A vertex of the camera in image pixels: each value held to 0..1000, converted in 64 bits, and
// the point held inside the image (0..W-2 x 0..H-2).
GraphPoint FromThousandths(const CameraClientPoint& point, const GraphObjectManager& manager);
CameraClientPoint ToThousandths(GraphPoint point, const GraphObjectManager& manager);
