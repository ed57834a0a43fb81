#pragma once
// The records of an import on their way to the camera: checked, gathered into batches of 300 and
// sent, with the counts the import reports.

#include <array>
#include <optional>

#include "cameraclient/CameraClient.h"
#include "configtool/features/whitelist/WlistCsvReader.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"

class WlistImportBatch {
 public:
  static constexpr int kCapacity = 300;

  WlistImportBatch(CameraClientHandle handle, const WlistSegmentCodec& segments);

  // A record read from the file: skipped when its plate cannot go, else added, and the batch sent
  // when full. False when a batch was refused.
  bool Add(const WlistCsvRow& row);
  // Sends what is pending. False when the camera refused it.
  bool Flush();

  int Sent() const { return m_sent; }
  int Pending() const { return m_pending; }
  // The first line skipped for its plate, and the first line of a refused batch.
  std::optional<int> FirstSkippedLine() const { return m_firstSkipped; }
  std::optional<int> RefusedLine() const { return m_refused; }

 private:
  CameraClientHandle m_handle;
  const WlistSegmentCodec& m_segments;
  std::array<CameraClientWhiteListRecord, kCapacity> m_records{};
  std::array<CameraClientWhiteListEntry, kCapacity> m_entries{};
  std::array<CameraClientWhiteListEntry, kCapacity> m_zeroed{};
  int m_pending = 0;
  int m_firstLine = 0;  // of the pending batch
  int m_sent = 0;
  std::optional<int> m_firstSkipped;
  std::optional<int> m_refused;
};
