#pragma once
// The plate records' CSV export. Its worker asks every page of 20 in turn through the window's
// PlateRecordFeed and waits until the window has taken the page's records (or 15 s); the window
// takes each WM_PLATE_QUERY_RECORD of the page into the CSV text, and the page's last expected
// record wakes the worker at once (so a short last page costs no wait either). After the last page
// the worker posts WM_PLATE_EXPORT_DONE, and the window writes the file.
//
// Window thread: Start, Take, WriteFile, StopAndWait. The worker uses only what it shares with
// this object through shared ownership, the feed, and the window's message queue.

#include <memory>
#include <optional>
#include <string>

#include "configtool/features/platequery/PlateRecordFeed.h"
#include "platform/os/LocalTime.h"
#include "platform/os/ManualResetEvent.h"

inline constexpr int kPlatePageRecords = 20;

class PlateCsvExport {
 public:
  // `pageEvent`: the process's GetPlateExportEvent(), or a test's own.
  PlateCsvExport(std::shared_ptr<PlateRecordFeed> feed, HWND window, os::ManualResetEvent& pageEvent);
  // StopAndWait().
  ~PlateCsvExport();
  PlateCsvExport(const PlateCsvExport&) = delete;
  PlateCsvExport& operator=(const PlateCsvExport&) = delete;

  // Starts the worker (detached) for the `count` records of `query`; the text starts anew with the
  // header line. Nothing happens while an export runs.
  void Start(const PlateQueryTexts& query, int count);
  bool Running() const;
  // A record the window got while exporting: appended when it belongs to the page the worker
  // waits for. False for a record of another page (which the window drops).
  bool Take(const PlateQueryRecordMessage& message);
  // On WM_PLATE_EXPORT_DONE: writes the text to PlateCsvFilePath(folder, time), then empties it.
  // The path, or nullopt when the file could not be written whole (what was written is removed).
  std::optional<std::string> WriteFile(const std::string& folder, const os::LocalTime& time);
  // Records in the text.
  int Rows() const { return m_rows; }
  // A close during the export: the worker stops after the page request it is in, and this returns
  // once it has ended.
  void StopAndWait();

 private:
  struct Shared;
  struct Run;
  // The worker: every page in turn, then the end message (unless stopped).
  static void AskPages(const std::shared_ptr<Shared>& shared, const Run& run);

  std::shared_ptr<PlateRecordFeed> m_feed;
  const HWND m_window;
  std::shared_ptr<Shared> m_shared;
  std::string m_text;
  int m_rows = 0;
};
