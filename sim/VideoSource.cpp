#include "sim/VideoSource.h"

#include <chrono>
#include <cmath>

namespace camsim {

VideoSource::VideoSource(FormatOf formatOf, Deliver deliver, int quality)
    : m_formatOf(std::move(formatOf)), m_deliver(std::move(deliver)), m_quality(quality) {}

VideoSource::~VideoSource() { Stop(); }

void VideoSource::SetDemand(bool mainStream, bool subStream) {
  std::lock_guard lock(m_mutex);
  if (m_stopping) return;
  m_demand[0] = mainStream;
  m_demand[1] = subStream;
  if ((mainStream || subStream) && !m_thread.joinable()) m_thread = std::thread([this] { Run(); });
  m_wake.notify_all();
}

void VideoSource::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_wake.notify_all();
  }
  if (m_thread.joinable()) m_thread.join();
}

void VideoSource::HoldFrames(bool hold) {
  std::lock_guard lock(m_mutex);
  m_held = hold;
  m_steps = 0;
  m_wake.notify_all();
}

void VideoSource::StepFrames(int count) {
  std::lock_guard lock(m_mutex);
  if (!m_held || count <= 0) return;
  m_steps += count;
  m_wake.notify_all();
}

void VideoSource::Run() {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto next = start;
  std::unique_lock lock(m_mutex);
  const auto watched = [this] { return m_demand[0] || m_demand[1]; };
  while (!m_stopping) {
    if (!watched() || (m_held && m_steps == 0)) {
      m_wake.wait(lock, [&] { return m_stopping || (watched() && (!m_held || m_steps > 0)); });
      next = Clock::now();
      continue;
    }
    const bool stepped = m_held;
    if (stepped) --m_steps;
    const bool wanted[2] = {m_demand[0], m_demand[1]};
    lock.unlock();
    int rate = 1;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (int stream = 0; stream < 2; ++stream) {
      Format format;
      if (!wanted[stream] || !m_formatOf(stream, format)) continue;
      rate = std::max(rate, format.frameRate);
      RenderFrame(stream, format, seconds);
    }
    next += std::chrono::microseconds(1'000'000 / std::clamp(rate, 1, 25));
    // A frame that took longer than its period starts the next one at once, without catching up.
    if (next < Clock::now()) next = Clock::now();
    lock.lock();
    if (!stepped) m_wake.wait_until(lock, next, [this] { return m_stopping || m_held; });
  }
}

void VideoSource::RenderFrame(int index, const Format& format, double seconds) {
  Stream& stream = m_streams[index];
  if (format.size.width <= 0 || format.size.height <= 0) return;
  if (!stream.renderer || stream.renderer->Width() != format.size.width ||
      stream.renderer->Height() != format.size.height) {
    stream.renderer = std::make_unique<SceneRenderer>(format.size.width, format.size.height);
  }
  const double progress = std::fmod(seconds, SceneRenderer::kPassSeconds) / SceneRenderer::kPassSeconds;
  stream.renderer->Render(progress, format.plateUtf8, format.plateColour, format.captionUtf8);
  if (!m_codec.ToI420(stream.renderer->Pixels(), stream.renderer->Width(), stream.renderer->Stride(),
                      stream.renderer->Height(), m_picture)) {
    return;
  }
  auto jpeg = m_codec.Compress(m_picture, m_quality);
  if (!jpeg) return;
  m_deliver(index, ++stream.frames, format.size.width, format.size.height, std::move(*jpeg));
}

}  // namespace camsim
