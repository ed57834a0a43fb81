#include "configtool/features/rules/FramePath.h"

#include <cstring>

#include "configtool/controls/ScaleImageBilinear.h"
#include "configtool/features/rules/PixelConversion.h"

namespace {

constexpr int kGroup = 8;

// Scales one chroma plane to the view's half width and (height + 1) / 2 rows: the row an odd
// height adds repeats the one above it, so that every picture row has its chroma row.
void ScaleChromaPlane(const std::uint8_t* source, int sourceWidth, int sourceHeight, int sourceStride,
                      std::uint8_t* plane, int width, int height) {
  const int rows = height >> 1;
  const int chromaWidth = width >> 1;
  if (rows == 0) {
    ScaleImageBilinear(source, sourceWidth, sourceHeight, sourceStride, plane, chromaWidth, 1, chromaWidth);
    return;
  }
  ScaleImageBilinear(source, sourceWidth, sourceHeight, sourceStride, plane, chromaWidth, rows, chromaWidth);
  if ((height & 1) != 0) {
    std::memcpy(plane + static_cast<std::size_t>(rows) * chromaWidth,
                plane + static_cast<std::size_t>(rows - 1) * chromaWidth, static_cast<std::size_t>(chromaWidth));
  }
}

// At the same size the scale copies each plane, except that its last column repeats the one
// before it: only the last group of each row reads that column.
bool ConvertsInPlace(const CameraClientFrame& frame, int width, int height) {
  return frame.width == width && frame.height == height && width >= 2 * kGroup && height >= 2 && height % 2 == 0 &&
         frame.uStride == frame.vStride;
}

// The sample the same-size scale puts at `index` of a row of `size` samples.
std::uint8_t CopiedSample(const std::uint8_t* row, int index, int size) {
  return index == size - 1 && size >= 2 ? row[size - 2] : row[index];
}

void ConvertInPlace(const CameraClientFrame& frame, int width, int height, std::uint8_t* rgb565, int stride) {
  const int lastGroup = (width / kGroup - 1) * kGroup;
  ConvertYuv420ToRgb565(frame.y, frame.yStride, frame.u, frame.v, frame.uStride, rgb565, lastGroup, height, stride);
  const int chromaWidth = width >> 1;
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* y = frame.y + static_cast<std::ptrdiff_t>(row) * frame.yStride;
    const std::uint8_t* u = frame.u + static_cast<std::ptrdiff_t>(row >> 1) * frame.uStride;
    const std::uint8_t* v = frame.v + static_cast<std::ptrdiff_t>(row >> 1) * frame.vStride;
    std::uint8_t lumaGroup[kGroup];
    std::uint8_t uGroup[kGroup / 2];
    std::uint8_t vGroup[kGroup / 2];
    for (int i = 0; i < kGroup; ++i) lumaGroup[i] = CopiedSample(y, lastGroup + i, width);
    for (int i = 0; i < kGroup / 2; ++i) {
      uGroup[i] = CopiedSample(u, lastGroup / 2 + i, chromaWidth);
      vGroup[i] = CopiedSample(v, lastGroup / 2 + i, chromaWidth);
    }
    ConvertYuv420ToRgb565(lumaGroup, kGroup, uGroup, vGroup, kGroup / 2,
                          rgb565 + static_cast<std::ptrdiff_t>(row) * stride + lastGroup * 2, kGroup, 1, kGroup * 2);
  }
}

}  // namespace

void ScaleFrameToView(const CameraClientFrame& frame, int width, int height, PlaneBuffer& planes, std::uint8_t* rgb565,
                      int stride) {
  if (ConvertsInPlace(frame, width, height)) return ConvertInPlace(frame, width, height, rgb565, stride);
  planes.Reserve(width, height);
  ScaleImageBilinear(frame.y, frame.width, frame.height, frame.yStride, planes.Y(), width, height, width);
  ScaleChromaPlane(frame.u, frame.width >> 1, frame.height >> 1, frame.uStride, planes.U(), width, height);
  ScaleChromaPlane(frame.v, frame.width >> 1, frame.height >> 1, frame.vStride, planes.V(), width, height);
  ConvertYuv420ToRgb565(planes.Y(), width, planes.U(), planes.V(), planes.ChromaWidth(), rgb565, width, height, stride);
}
