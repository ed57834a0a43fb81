#pragma once
// Reads a whitelist CSV file (WlistCsvFormat.h) with libcsv in strict mode, one record at a time.
// The first line (the header) is skipped whatever it holds. Each column is read up to its own
// capacity; a field longer than the longest column (an unterminated quote that runs on, say) or a
// quote where none may be makes the text malformed, and reading stops at that record. A last line
// without line end is read at Finish.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <csv.h>

#include "cameraclient/CameraClient.h"

// Why a row cannot go to the camera (which refuses a whole batch for one such record).
enum class WlistPlateCheck { Fits, Empty, TooLong };

struct WlistCsvRow {
  // Every column but the time segments. Texts are cut to their fields without splitting a GBK
  // character; the plate is not cut (see plate).
  CameraClientWhiteListRecord record{};
  // The time-segment column with its "&" back to ",": empty when the column was.
  std::string segmentText;
  // The file line the record starts on (the header is line 1).
  int line = 0;
  WlistPlateCheck plate = WlistPlateCheck::Empty;
};

class WlistCsvReader {
 public:
  // Gets each record; returns false to stop reading. The row is reused for the next record.
  using RowHandler = std::function<bool(WlistCsvRow& row)>;

  explicit WlistCsvReader(RowHandler onRow);
  ~WlistCsvReader();
  WlistCsvReader(const WlistCsvReader&) = delete;
  WlistCsvReader& operator=(const WlistCsvReader&) = delete;

  // The next bytes of the file, split anywhere. False once reading has stopped: the text is
  // malformed, or the handler asked to stop.
  bool Feed(std::string_view bytes);
  // The end of the file: completes a last record without line end. False when reading had stopped
  // or the text ends inside a quoted field.
  bool Finish();

  // The line of the record that made the text malformed; none while it is well formed.
  std::optional<int> MalformedLine() const { return m_malformedLine; }
  // The line the next bytes belong to.
  int CurrentLine() const { return m_line; }

 private:
  static void OnField(void* bytes, std::size_t length, void* self);
  static void OnRow(int terminator, void* self);
  void StoreField(std::string_view field);
  void EndRow();
  bool FeedPiece(std::string_view piece);
  void Fail();

  RowHandler m_onRow;
  csv_parser m_parser{};
  bool m_parserReady = false;
  bool m_inHeader = true;
  bool m_stopped = false;
  int m_line = 1;           // the line being fed
  int m_rowLine = 0;        // where the record being read started
  bool m_rowPending = true;  // the next line that holds anything starts a record
  int m_column = 0;
  WlistCsvRow m_row;
  std::optional<int> m_malformedLine;
};
