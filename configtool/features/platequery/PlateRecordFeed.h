#pragma once
// The road of queried plate records from the camera library to the plate query's window: it
// registers the query callback, asks the pages, and stamps each record it posts
// (WM_PLATE_QUERY_RECORD) with the page that asked for it. Before each page it registers the
// callback again, after which the library delivers no record of an earlier page; those already
// posted carry an older stamp, and the window drops them (IsCurrent).
// The window and the plate export's worker ask pages, one at a time.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/platequery/PlateQueryMessages.h"
#include "platform/os/WinTypes.h"

// The query texts: start and end time ("%d-%02d-%02d %02d:%02d:%02d"), and the plate filter.
struct PlateQueryTexts {
  std::string start;
  std::string end;
  std::string plate;
};

class PlateRecordFeed {
 public:
  PlateRecordFeed(CameraClientHandle handle, HWND window) : m_handle(handle), m_window(window) {}
  // Stop().
  ~PlateRecordFeed();
  PlateRecordFeed(const PlateRecordFeed&) = delete;
  PlateRecordFeed& operator=(const PlateRecordFeed&) = delete;

  // The records that match; nullopt when the camera could not be asked.
  std::optional<int> Count(const PlateQueryTexts& query) const;
  // Starts a new page: from now on only records asked after this are delivered and current.
  // Returns the page's stamp.
  std::uint64_t NewPage();
  // Asks records [first, end) for the page begun last; the library's result (0 = asked).
  int Ask(const PlateQueryTexts& query, int first, int end) const;
  // NewPage and Ask.
  int RequestPage(const PlateQueryTexts& query, int first, int end);

  // Whether a posted record belongs to the page asked last.
  bool IsCurrent(const PlateQueryRecordMessage& message) const { return message.page == m_page; }
  // Removes the query callback: nothing is posted once this returns. Every close path calls it.
  void Stop();

 private:
  static int OnPlateQueryRecord(CameraClientHandle handle, void* user, const CameraClientPlateResult* record,
                                int reserved, int trigger);

  const CameraClientHandle m_handle;
  const HWND m_window;
  std::mutex m_pageMutex;  // one new page at a time
  std::atomic<std::uint64_t> m_page{0};
};
