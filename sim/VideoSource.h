#pragma once
// The live video of one camera: while a connection watches a stream, a thread draws the scene at
// the stream's size and rate, encodes each frame as JPEG and hands it on. It rests, without
// drawing, while nobody watches.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/CameraSettings.h"
#include "sim/JpegCodec.h"
#include "sim/SceneRenderer.h"

namespace camsim {

class VideoSource {
 public:
  struct Format {
    VideoSize size;
    int frameRate = 25;
    std::string plateUtf8;
    SceneRenderer::PlateColour plateColour = SceneRenderer::PlateColour::Blue;
    std::string captionUtf8;
  };
  // Asked before each frame; false while the camera cannot show video (down).
  using FormatOf = std::function<bool(int stream, Format& format)>;
  // Gets each encoded frame: the stream, its number, size and JPEG bytes.
  using Deliver = std::function<void(int stream, std::uint32_t number, int width, int height,
                                     std::vector<std::uint8_t> jpeg)>;

  VideoSource(FormatOf formatOf, Deliver deliver, int quality = 75);
  ~VideoSource();
  VideoSource(const VideoSource&) = delete;
  VideoSource& operator=(const VideoSource&) = delete;

  // Which streams someone watches now. The thread starts at the first demand.
  void SetDemand(bool mainStream, bool subStream);
  void Stop();

  // For tests: while held, frames come only as StepFrames asks, one per watched stream a step,
  // each as soon as someone watches. Releasing the hold drops steps not taken and lets video run.
  void HoldFrames(bool hold);
  void StepFrames(int count);

 private:
  struct Stream {
    std::unique_ptr<SceneRenderer> renderer;
    std::uint32_t frames = 0;
  };

  void Run();
  void RenderFrame(int index, const Format& format, double seconds);

  FormatOf m_formatOf;
  Deliver m_deliver;
  int m_quality;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_demand[2] = {false, false};
  bool m_stopping = false;
  bool m_held = false;
  int m_steps = 0;
  std::thread m_thread;
  // Owned by the thread.
  Stream m_streams[2];
  JpegCodec m_codec;
  I420Image m_picture;
};

}  // namespace camsim
