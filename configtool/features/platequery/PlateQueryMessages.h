#pragma once
// What reaches the plate query's window from library threads and its workers. The window deletes
// every payload, also of messages it drops.
//
// WM_PLATE_QUERY_RECORD (1227): wParam a PlateQueryRecordMessage from new; lParam the record's
//   trigger value (1..5).
// WM_PLATE_IMAGE_LOADED (1228): wParam a PlateImageLoaded from new, whether or not a picture was
//   saved.
// WM_PLATE_EXPORT_DONE (1231): the export has asked for all its pages (or was told to stop by an
//   error); wParam 1; lParam 1 when every page came whole, 0 when a page request failed or a page
//   timed out (the CSV text holds what arrived).

#include <cstdint>
#include <string>

#include "cameraclient/CameraClient.h"
#include "platform/os/WinTypes.h"

inline constexpr UINT WM_PLATE_QUERY_RECORD = WM_USER + 203;
inline constexpr UINT WM_PLATE_IMAGE_LOADED = WM_USER + 204;
inline constexpr UINT WM_PLATE_EXPORT_DONE = WM_USER + 207;

struct PlateQueryRecordMessage {
  CameraClientPlateResult record{};
  int trigger = 0;
  // The page request it answers (PlateRecordFeed): records of an earlier page are dropped.
  std::uint64_t page = 0;
};

struct PlateImageLoaded {
  int recordId = 0;
  // The picture's file when it was saved; empty otherwise.
  std::string path;
};
