// ComputeCrc32 beside zlib's crc32 on the same buffers, in one run: each round times a batch of
// each in turn, and the case prints both rates in MB/s (10^6 bytes per second) and their ratio
// (above 1 where ComputeCrc32 is faster).

#include "common/Crc32.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLargestBuffer = 16 << 20;
// Each side reads about this many bytes per round, so that small buffers are timed in batches.
constexpr std::size_t kBytesPerBatch = 4 << 20;

// One buffer of random bytes; each case reads its first range(0) bytes.
const unsigned char* RandomBytes() {
  static const std::vector<unsigned char> bytes = [] {
    std::vector<unsigned char> filled(static_cast<std::size_t>(kLargestBuffer));
    std::mt19937 random(20112705u);
    for (unsigned char& byte : filled) byte = static_cast<unsigned char>(random());
    return filled;
  }();
  return bytes.data();
}

// Seconds taken by `repeats` calls of crc over the buffer.
template <typename Crc>
double TimeBatch(std::size_t repeats, Crc crc) {
  const auto start = Clock::now();
  for (std::size_t i = 0; i < repeats; ++i) benchmark::DoNotOptimize(crc());
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_Crc32BesideZlib(benchmark::State& state) {
  const std::size_t size = static_cast<std::size_t>(state.range(0));
  const unsigned char* data = RandomBytes();
  const std::size_t repeats = std::max<std::size_t>(1, kBytesPerBatch / size);
  if (ComputeCrc32(data, size) != crc32(0L, data, static_cast<uInt>(size))) return state.SkipWithError("results differ");

  double ours = 0;
  double zlib = 0;
  for (auto _ : state) {
    ours += TimeBatch(repeats, [&] { return ComputeCrc32(data, size); });
    zlib += TimeBatch(repeats, [&] { return crc32(0L, data, static_cast<uInt>(size)); });
  }
  const double megabytes = static_cast<double>(state.iterations() * repeats * size) / 1e6;
  state.counters["ours_MBps"] = megabytes / ours;
  state.counters["zlib_MBps"] = megabytes / zlib;
  state.counters["ratio"] = zlib / ours;
}

}  // namespace

BENCHMARK(BM_Crc32BesideZlib)
    ->Arg(64)
    ->Arg(1 << 10)
    ->Arg(4 << 10)
    ->Arg(64 << 10)
    ->Arg(1 << 20)
    ->Arg(kLargestBuffer)
    ->Unit(benchmark::kMillisecond);
