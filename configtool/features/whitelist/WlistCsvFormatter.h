#pragma once
// Turns the rows of an export's pages into the CSV text on a thread of its own, so that the worker
// can ask the camera for the next page meanwhile. Pages wait in a short queue: the worker waits
// when it is full.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"

class WlistCsvFormatter {
 public:
  // `expectedRows` sizes the text once the first page shows how long a row is.
  WlistCsvFormatter(const WlistSegmentCodec& segments, int expectedRows);
  // Ends the thread after the queued pages.
  ~WlistCsvFormatter();
  WlistCsvFormatter(const WlistCsvFormatter&) = delete;
  WlistCsvFormatter& operator=(const WlistCsvFormatter&) = delete;

  void Add(std::vector<CameraClientWhiteListRecord> page);
  // Formats what is queued, ends the thread and hands the text over: the header line and a line
  // per row.
  std::string TakeText();

 private:
  void Finish();
  void Run();
  void Format(const std::vector<CameraClientWhiteListRecord>& page);

  const WlistSegmentCodec& m_segments;
  const int m_expectedRows;
  std::string m_text;
  std::string m_segmentText;
  int m_rows = 0;

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::vector<CameraClientWhiteListRecord>> m_pages;
  bool m_finishing = false;
  std::thread m_thread;  // last: it uses the members above
};
