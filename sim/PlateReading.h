#pragma once
// One plate read by the camera: the picture of the moment and the result record that goes with it.

#include <cstdint>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/os/LocalTime.h"
#include "sim/PlateGenerator.h"
#include "sim/SceneRenderer.h"

namespace camsim {

inline constexpr int kClipWidth = 1280;
inline constexpr int kClipHeight = 720;

struct PlateShot {
  std::vector<std::uint8_t> jpeg;
  SceneRenderer::Bounds plate;  // where the plate is in the picture
};

SceneRenderer::PlateColour PlateColourOf(const SyntheticPlate& plate);

// Renders the car with `plate` where the camera reads it. Empty JPEG when encoding failed.
PlateShot RenderPlateShot(const SyntheticPlate& plate, const std::string& captionUtf8, int quality = 80);

// The result record: GBK texts, the plate's place in the picture, the time of the reading. A hidden
// plate fills all 16 bytes of its field, without a terminator.
CameraClientPlateResult MakePlateResult(const SyntheticPlate& plate, bool hidden, int triggerBits,
                                        std::int32_t recordId, const os::LocalTime& time,
                                        const SceneRenderer::Bounds& bounds, int confidence);

}  // namespace camsim
