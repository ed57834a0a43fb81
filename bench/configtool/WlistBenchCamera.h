#pragma once
// The whitelist benchmarks' camera: a simulated camera in the process and the 100 000 records it
// is filled with, with or without full schedules (eight full-week segments each), and one batch
// of them as the library's import takes it.

#include <vector>

#include "bench/support/BenchCamera.h"
#include "configtool/features/whitelist/WlistImportJob.h"
#include "sim/SeedData.h"
#include "tests/configtool/whitelist/FullWeekSchedule.h"

namespace bench {

inline constexpr int kWlistBenchRecords = 100000;

class WlistBenchCamera {
 public:
  explicit WlistBenchCamera(bool schedules) : m_records(camsim::MakeSeedWhitelist(kWlistBenchRecords, 11)) {
    for (auto& record : m_records) {
      record.useTimeSegments = schedules ? 1 : 0;
      record.segments = schedules ? wlist::test::FullWeekSchedule() : TimeSegmentTable{};
    }
  }

  CameraClientHandle Handle() const { return m_camera.Handle(); }
  const std::vector<CameraClientWhiteListRecord>& Rows() const { return m_records; }
  void Fill() {
    m_camera.Camera().With([&](camsim::CameraState& state) {
      state.whitelist.Clear();
      state.whitelist.Import(m_records);
    });
  }
  void Empty() {
    m_camera.Camera().With([](camsim::CameraState& state) { state.whitelist.Clear(); });
  }
  std::size_t Size() {
    return m_camera.Camera().With([](camsim::CameraState& state) { return state.whitelist.Size(); });
  }

 private:
  BenchCamera m_camera;
  std::vector<CameraClientWhiteListRecord> m_records;
};

// Records of a batch of the library's import, with the entry arrays that point at them.
class WlistBenchBatch {
 public:
  WlistBenchBatch() {
    for (int i = 0; i < kWlistImportBatch; ++i) m_entries[Slot(i)] = {0, &m_records[Slot(i)]};
  }
  // Sends records [first, first + count) of `rows` as one batch; the library's result.
  int Import(CameraClientHandle handle, const std::vector<CameraClientWhiteListRecord>& rows, int first, int count) {
    std::copy_n(rows.begin() + first, count, m_records.begin());
    return CameraClient_ImportWhiteList(handle, count, m_entries.data(), m_zeroed.data());
  }

 private:
  static std::size_t Slot(int i) { return static_cast<std::size_t>(i); }

  std::vector<CameraClientWhiteListRecord> m_records = std::vector<CameraClientWhiteListRecord>(kWlistImportBatch);
  std::vector<CameraClientWhiteListEntry> m_entries = std::vector<CameraClientWhiteListEntry>(kWlistImportBatch);
  std::vector<CameraClientWhiteListEntry> m_zeroed = std::vector<CameraClientWhiteListEntry>(kWlistImportBatch);
};

}  // namespace bench
