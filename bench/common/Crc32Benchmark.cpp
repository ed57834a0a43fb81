// ComputeCrc32 against zlib's crc32 on the same buffers, in MB/s (10^6 bytes per second).

#include "common/Crc32.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kLargestBuffer = 16 << 20;

// One buffer of random bytes; each case reads its first range(0) bytes.
const unsigned char* RandomBytes() {
  static const std::vector<unsigned char> bytes = [] {
    std::vector<unsigned char> filled(kLargestBuffer);
    std::mt19937 random(20112705u);
    for (unsigned char& byte : filled) byte = static_cast<unsigned char>(random());
    return filled;
  }();
  return bytes.data();
}

// Shown as "MB=<rate>/s", in units of 10^6 bytes (so "MB=2.5k/s" is 2500 MB/s).
void ReportRate(benchmark::State& state, std::size_t size) {
  state.counters["MB"] = benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(size) / 1e6,
                                            benchmark::Counter::kIsRate, benchmark::Counter::OneK::kIs1000);
}

void BM_ComputeCrc32(benchmark::State& state) {
  const std::size_t size = static_cast<std::size_t>(state.range(0));
  const unsigned char* data = RandomBytes();
  for (auto _ : state) benchmark::DoNotOptimize(ComputeCrc32(data, size));
  ReportRate(state, size);
}

void BM_ZlibCrc32(benchmark::State& state) {
  const std::size_t size = static_cast<std::size_t>(state.range(0));
  const unsigned char* data = RandomBytes();
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0L, data, static_cast<uInt>(size)));
  ReportRate(state, size);
}

}  // namespace

BENCHMARK(BM_ComputeCrc32)->RangeMultiplier(16)->Range(64, kLargestBuffer);
BENCHMARK(BM_ZlibCrc32)->RangeMultiplier(16)->Range(64, kLargestBuffer);
