#pragma once
// The records of an import on their way to the camera: checked, gathered into batches of 300 and
// sent in order by a thread of its own, so that the next batch is read from the file while one is
// being sent. Nothing is sent after a batch the camera refused.

#include <array>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "cameraclient/CameraClient.h"
#include "configtool/features/whitelist/WlistCsvReader.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"

class WlistImportBatch {
 public:
  static constexpr int kCapacity = 300;

  // `onSent(sent)` runs on the sending thread after each batch the camera took, with the records
  // taken so far.
  WlistImportBatch(CameraClientHandle handle, const WlistSegmentCodec& segments, std::function<void(int sent)> onSent);
  // Waits for the batch being sent (if any); sends nothing more, not even one handed over.
  ~WlistImportBatch();
  WlistImportBatch(const WlistImportBatch&) = delete;
  WlistImportBatch& operator=(const WlistImportBatch&) = delete;

  // A record read from the file: skipped when its plate cannot go, else added; a full batch is
  // handed to the sender. False once a batch was refused.
  bool Add(const WlistCsvRow& row);
  // Hands over what is pending and waits until every batch has been answered. False when one
  // was refused.
  bool Flush();

  int Sent() const;
  // The first line skipped for its plate, and the first line of the batch the camera refused.
  std::optional<int> FirstSkippedLine() const { return m_firstSkipped; }
  std::optional<int> RefusedLine() const;

 private:
  struct Batch {
    std::array<CameraClientWhiteListRecord, kCapacity> records{};
    std::array<CameraClientWhiteListEntry, kCapacity> entries{};
    std::array<CameraClientWhiteListEntry, kCapacity> zeroed{};
    int count = 0;
    int firstLine = 0;
  };

  bool HandOver();
  bool WaitIdle();
  void Run();

  const CameraClientHandle m_handle;
  const WlistSegmentCodec& m_segments;
  const std::function<void(int)> m_onSent;
  std::array<Batch, 2> m_batches;
  int m_filling = 0;  // the batch the reader fills; the other one is the sender's
  std::optional<int> m_firstSkipped;

  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  Batch* m_sending = nullptr;  // handed over, not yet answered
  bool m_quit = false;
  int m_sent = 0;
  std::optional<int> m_refused;
  std::thread m_sender;  // last: it uses the members above
};
