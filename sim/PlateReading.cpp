#include "sim/PlateReading.h"

#include <cstring>

#include "platform/os/Charset.h"
#include "sim/GbkText.h"
#include "sim/JpegCodec.h"

namespace camsim {
SceneRenderer::PlateColour PlateColourOf(const SyntheticPlate& plate) {
  switch (plate.colourCode) {
    case CAMERACLIENT_PLATE_COLOR_YELLOW: return SceneRenderer::PlateColour::Yellow;
    case CAMERACLIENT_PLATE_COLOR_GREEN: return SceneRenderer::PlateColour::Green;
    default: return SceneRenderer::PlateColour::Blue;
  }
}

PlateShot RenderPlateShot(const SyntheticPlate& plate, const std::string& captionUtf8, int quality) {
  // Each thread that reads plates keeps its own drawing surface and encoder.
  thread_local SceneRenderer renderer(kClipWidth, kClipHeight);
  thread_local JpegCodec codec;
  thread_local I420Image picture;
  renderer.Render(SceneRenderer::kCaptureProgress, plate.text, PlateColourOf(plate), captionUtf8);
  PlateShot shot;
  shot.plate = renderer.PlateBounds(SceneRenderer::kCaptureProgress);
  if (codec.ToI420(renderer.Pixels(), renderer.Width(), renderer.Stride(), renderer.Height(), picture)) {
    if (auto jpeg = codec.Compress(picture, quality)) shot.jpeg = std::move(*jpeg);
  }
  return shot;
}

CameraClientPlateResult MakePlateResult(const SyntheticPlate& plate, bool hidden, int triggerBits,
                                        std::int32_t recordId, const os::LocalTime& time,
                                        const SceneRenderer::Bounds& bounds, int confidence) {
  CameraClientPlateResult result{};
  const std::string text = os::Utf8ToGbk(plate.text);
  if (hidden) {
    std::memset(result.plate, '*', sizeof result.plate);
    std::memcpy(result.plate, text.data(), std::min(text.size(), sizeof result.plate));
  } else {
    SetFieldText(result.plate, text);
  }
  SetFieldText(result.colorText, os::Utf8ToGbk(plate.colourWord));
  result.colorCode = plate.colourCode;
  result.plateType = plate.plateType;
  result.confidence = confidence;
  result.plateRect = CameraClientRect{bounds.left, bounds.top, bounds.right, bounds.bottom};
  result.triggerType = triggerBits;
  result.recordId = recordId;
  result.second = static_cast<std::uint8_t>(time.second);
  result.minute = static_cast<std::uint8_t>(time.minute);
  result.hour = static_cast<std::uint8_t>(time.hour);
  result.day = static_cast<std::uint8_t>(time.day);
  result.month = static_cast<std::uint8_t>(time.month);
  result.year = time.year;
  return result;
}

}  // namespace camsim
