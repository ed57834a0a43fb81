// The rule editor's frame path: one 1920 x 1080 I420 frame (as the camera library delivers it,
// with one readable byte past each row) scaled to the view and converted to RGB565, on one
// thread. Ours is the editor's surface itself; the peers are libswscale (one call from I420 to
// RGB565, its context made before timing, one thread) and libyuv (I420Scale bilinear, then
// I420ToRGB565). The frames are 16 pictures of the simulated camera's road, JPEG-encoded as the
// camera sends them and decoded once before timing. After the runs a table gives frames per
// second and how many times faster than each peer ours is.

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "configtool/features/rules/RuleGraphCfgBusiness.h"
#include "sim/JpegCodec.h"
#include "sim/SceneRenderer.h"

#if defined(LPR_BENCH_HAVE_SWSCALE)
extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}
#endif
#if defined(LPR_BENCH_HAVE_LIBYUV)
#include <libyuv.h>
#endif

namespace {

constexpr int kSourceWidth = 1920;
constexpr int kSourceHeight = 1080;
constexpr int kFrames = 16;

struct Target {
  const char* name;
  int width;
  int height;
};
constexpr Target kTargets[] = {{"800x450", 800, 450}, {"1920x1080", 1920, 1080}};

struct DecodedFrame {
  std::vector<std::uint8_t> bytes;
  CameraClientFrame frame{};
};

// The camera library's row length: one readable byte past the row, 32-byte aligned.
int LibraryStride(int width) { return (width + 1 + 31) / 32 * 32; }

std::vector<DecodedFrame> MakeFrames() {
  camsim::SceneRenderer scene(kSourceWidth, kSourceHeight);
  camsim::JpegCodec codec;
  camsim::I420Image picture;
  tjhandle decoder = tjInitDecompress();
  std::vector<DecodedFrame> frames(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    scene.Render(static_cast<double>(i) / kFrames, "京A12345", camsim::SceneRenderer::PlateColour::Blue, "");
    codec.ToI420(scene.Pixels(), scene.Width(), scene.Stride(), scene.Height(), picture);
    const auto jpeg = codec.Compress(picture, 75);
    const int yStride = LibraryStride(kSourceWidth);
    const int cStride = LibraryStride(kSourceWidth / 2);
    DecodedFrame& frame = frames[static_cast<std::size_t>(i)];
    frame.bytes.assign(
        static_cast<std::size_t>(yStride) * kSourceHeight + 2 * static_cast<std::size_t>(cStride) * (kSourceHeight / 2),
        0);
    unsigned char* planes[3] = {frame.bytes.data(),
                                frame.bytes.data() + static_cast<std::size_t>(yStride) * kSourceHeight,
                                frame.bytes.data() + static_cast<std::size_t>(yStride) * kSourceHeight +
                                    static_cast<std::size_t>(cStride) * (kSourceHeight / 2)};
    int strides[3] = {yStride, cStride, cStride};
    if (!jpeg || tjDecompressToYUVPlanes(decoder, jpeg->data(), static_cast<unsigned long>(jpeg->size()), planes,
                                         kSourceWidth, strides, kSourceHeight, 0) != 0) {
      std::fprintf(stderr, "bench_frame_path: frame %d could not be made\n", i);
    }
    frame.frame =
        CameraClientFrame{planes[0], planes[1], planes[2], yStride, cStride, cStride, kSourceWidth, kSourceHeight};
  }
  tjDestroy(decoder);
  return frames;
}

const std::vector<DecodedFrame>& Frames() {
  static const std::vector<DecodedFrame> frames = MakeFrames();
  return frames;
}

void CountFrames(benchmark::State& state) {
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void Ours(benchmark::State& state, Target target) {
  const auto& frames = Frames();
  auto surface = std::make_unique<CRuleGraphCfgBusiness>();
  surface->Attach(nullptr, target.width, target.height);
  std::size_t i = 0;
  for (auto _ : state) {
    if (!surface->OnFrame(&frames[i++ % kFrames].frame)) state.SkipWithError("frame refused");
  }
  CountFrames(state);
}

#if defined(LPR_BENCH_HAVE_SWSCALE)
void Swscale(benchmark::State& state, Target target, int flags) {
  const auto& frames = Frames();
  SwsContext* context = sws_alloc_context();
  av_opt_set_int(context, "srcw", kSourceWidth, 0);
  av_opt_set_int(context, "srch", kSourceHeight, 0);
  av_opt_set_int(context, "src_format", AV_PIX_FMT_YUV420P, 0);
  av_opt_set_int(context, "dstw", target.width, 0);
  av_opt_set_int(context, "dsth", target.height, 0);
  av_opt_set_int(context, "dst_format", AV_PIX_FMT_RGB565LE, 0);
  av_opt_set_int(context, "sws_flags", flags, 0);
  av_opt_set_int(context, "threads", 1, 0);
  if (sws_init_context(context, nullptr, nullptr) < 0) {
    state.SkipWithError("no swscale context");
    sws_freeContext(context);
    return;
  }
  std::vector<std::uint8_t> out(static_cast<std::size_t>(target.width) * 2 * target.height);
  std::uint8_t* planes[4] = {out.data(), nullptr, nullptr, nullptr};
  int strides[4] = {target.width * 2, 0, 0, 0};
  std::size_t i = 0;
  for (auto _ : state) {
    const CameraClientFrame& frame = frames[i++ % kFrames].frame;
    const std::uint8_t* source[4] = {frame.y, frame.u, frame.v, nullptr};
    const int sourceStrides[4] = {frame.yStride, frame.uStride, frame.vStride, 0};
    sws_scale(context, source, sourceStrides, 0, kSourceHeight, planes, strides);
    benchmark::DoNotOptimize(out.data());
  }
  sws_freeContext(context);
  CountFrames(state);
}
#endif

#if defined(LPR_BENCH_HAVE_LIBYUV)
void Libyuv(benchmark::State& state, Target target) {
  const auto& frames = Frames();
  const int chromaWidth = target.width / 2;
  const int chromaHeight = target.height / 2;
  std::vector<std::uint8_t> y(static_cast<std::size_t>(target.width) * target.height);
  std::vector<std::uint8_t> u(static_cast<std::size_t>(chromaWidth) * chromaHeight);
  std::vector<std::uint8_t> v(u.size());
  std::vector<std::uint8_t> out(static_cast<std::size_t>(target.width) * 2 * target.height);
  std::size_t i = 0;
  for (auto _ : state) {
    const CameraClientFrame& frame = frames[i++ % kFrames].frame;
    libyuv::I420Scale(frame.y, frame.yStride, frame.u, frame.uStride, frame.v, frame.vStride, kSourceWidth,
                      kSourceHeight, y.data(), target.width, u.data(), chromaWidth, v.data(), chromaWidth, target.width,
                      target.height, libyuv::kFilterBilinear);
    libyuv::I420ToRGB565(y.data(), target.width, u.data(), chromaWidth, v.data(), chromaWidth, out.data(),
                         target.width * 2, target.width, target.height);
    benchmark::DoNotOptimize(out.data());
  }
  CountFrames(state);
}
#endif

void Register() {
  for (const Target& target : kTargets) {
    const std::string size = target.name;
    benchmark::RegisterBenchmark(("Ours/" + size).c_str(), Ours, target);
#if defined(LPR_BENCH_HAVE_SWSCALE)
    benchmark::RegisterBenchmark(("SwscaleFastBilinear/" + size).c_str(), Swscale, target, SWS_FAST_BILINEAR);
    benchmark::RegisterBenchmark(("SwscaleBilinear/" + size).c_str(), Swscale, target, SWS_BILINEAR);
#endif
#if defined(LPR_BENCH_HAVE_LIBYUV)
    benchmark::RegisterBenchmark(("Libyuv/" + size).c_str(), Libyuv, target);
#endif
  }
#if !defined(LPR_BENCH_HAVE_SWSCALE)
  std::printf("bench_frame_path: libswscale was not found by pkg-config; its benchmarks are skipped\n");
#endif
#if !defined(LPR_BENCH_HAVE_LIBYUV)
  std::printf("bench_frame_path: libyuv was not found; its benchmarks are skipped\n");
#endif
}

// Keeps each benchmark's CPU time a frame, for the table after the runs.
class TimingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
      m_secondsPerFrame[run.benchmark_name()] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
    }
  }

  void PrintTable() const {
    std::printf("\nframe path, %dx%d I420 to RGB565, one thread (CPU time)\n", kSourceWidth, kSourceHeight);
    std::printf("%-10s %10s %8s %22s %18s %10s\n", "target", "Ours ms", "Ours fps", "x SwscaleFastBilinear",
                "x SwscaleBilinear", "x Libyuv");
    for (const Target& target : kTargets) {
      const std::string size = target.name;
      const double ours = Time("Ours/" + size);
      if (ours <= 0) continue;
      std::printf("%-10s %10.3f %8.1f %22s %18s %10s\n", target.name, ours * 1000, 1 / ours,
                  Ratio("SwscaleFastBilinear/" + size, ours).c_str(), Ratio("SwscaleBilinear/" + size, ours).c_str(),
                  Ratio("Libyuv/" + size, ours).c_str());
    }
    std::printf("(x peer: the peer's time over ours; above 1 means ours is faster)\n");
  }

 private:
  double Time(const std::string& name) const {
    const auto it = m_secondsPerFrame.find(name);
    return it != m_secondsPerFrame.end() ? it->second : 0;
  }
  std::string Ratio(const std::string& peer, double ours) const {
    const double time = Time(peer);
    if (time <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", time / ours);
    return text;
  }

  std::map<std::string, double> m_secondsPerFrame;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Register();
  TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintTable();
  benchmark::Shutdown();
  return 0;
}
