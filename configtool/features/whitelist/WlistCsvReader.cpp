#include "configtool/features/whitelist/WlistCsvReader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "common/DecimalText.h"
#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistDateText.h"
#include "platform/os/Charset.h"

namespace {

// The columns the file has; fields after them are ignored.
enum Column { kId, kPlate, kEnabled, kCreateTime, kExpiryTime, kUseSegments, kSegments, kAlarm, kCode, kNumber };

// No column holds more; a longer field (an unterminated quote that runs on) makes the text malformed.
constexpr std::size_t kMaxFieldBytes = kWlistSegmentTextBytes;

// libcsv grows its field buffer through this; refusing to grow it much beyond the longest column
// makes a runaway field a parse error instead of a read of the rest of the file. libcsv keeps two
// bytes of room past a field.
void* CappedRealloc(void* buffer, std::size_t size) {
  if (size > kMaxFieldBytes + 2) return nullptr;
  return std::realloc(buffer, size);
}

template <std::size_t N>
void CopyCut(char (&field)[N], std::string_view text) {
  const std::size_t length = os::GbkPrefixLength(text, N - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

std::int32_t IdOf(std::string_view text) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(ParseDecimalText(text),
                                                            std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

std::int32_t YesOf(std::string_view text) { return text == "是" ? 1 : 0; }

bool IsBlankLine(std::string_view piece) {
  return piece.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

WlistCsvReader::WlistCsvReader(RowHandler onRow) : m_onRow(std::move(onRow)) {
  m_parserReady = csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) == 0;
  if (m_parserReady) csv_set_realloc_func(&m_parser, CappedRealloc);
  m_row.segmentText.reserve(kWlistSegmentTextBytes);
}

WlistCsvReader::~WlistCsvReader() {
  if (m_parserReady) csv_free(&m_parser);
}

bool WlistCsvReader::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    if (m_stopped || !m_parserReady) return false;
    const std::size_t end = bytes.find('\n');
    const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
    const std::string_view piece = bytes.substr(0, length);
    bytes.remove_prefix(length);
    if (!m_inHeader && !FeedPiece(piece)) return false;
    if (piece.back() == '\n') {
      m_inHeader = false;
      ++m_line;
    }
  }
  return !m_stopped && m_parserReady;
}

bool WlistCsvReader::FeedPiece(std::string_view piece) {
  if (m_rowPending && !IsBlankLine(piece)) {
    m_rowLine = m_line;
    m_rowPending = false;
  }
  const std::size_t parsed = csv_parse(&m_parser, piece.data(), piece.size(), OnField, OnRow, this);
  if (parsed < piece.size() && !m_stopped) Fail();
  return !m_stopped;
}

bool WlistCsvReader::Finish() {
  if (m_stopped || !m_parserReady) return false;
  if (m_inHeader) return true;
  if (csv_fini(&m_parser, OnField, OnRow, this) != 0 && !m_stopped) Fail();
  return !m_stopped;
}

void WlistCsvReader::Fail() {
  m_malformedLine = m_rowPending ? m_line : m_rowLine;
  m_stopped = true;
}

void WlistCsvReader::OnField(void* bytes, std::size_t length, void* self) {
  auto* reader = static_cast<WlistCsvReader*>(self);
  if (reader->m_stopped) return;
  if (length > kMaxFieldBytes) return reader->Fail();
  reader->StoreField(std::string_view(static_cast<const char*>(bytes), bytes != nullptr ? length : 0));
}

void WlistCsvReader::OnRow(int, void* self) {
  auto* reader = static_cast<WlistCsvReader*>(self);
  if (!reader->m_stopped) reader->EndRow();
}

void WlistCsvReader::StoreField(std::string_view field) {
  CameraClientWhiteListRecord& record = m_row.record;
  switch (m_column++) {
    case kId: record.recordId = IdOf(field); break;
    case kPlate:
      if (field.size() > sizeof record.plate - 1) {
        m_row.plate = WlistPlateCheck::TooLong;
      } else {
        CopyCut(record.plate, field);
        m_row.plate = record.plate[0] != '\0' ? WlistPlateCheck::Fits : WlistPlateCheck::Empty;
      }
      break;
    case kEnabled: record.enabled = YesOf(field); break;
    case kCreateTime: record.createTimeSet = ParseWlistDateTime(field, record.createTime) ? 1 : 0; break;
    case kExpiryTime: record.expiryTimeSet = ParseWlistDateTime(field, record.expiryTime) ? 1 : 0; break;
    case kUseSegments: record.useTimeSegments = YesOf(field); break;
    case kSegments:
      m_row.segmentText.resize(field.size());
      std::replace_copy(field.begin(), field.end(), m_row.segmentText.begin(), '&', ',');
      break;
    case kAlarm: record.alarm = YesOf(field); break;
    case kCode: CopyCut(record.customerCode, field); break;
    case kNumber: CopyCut(record.customerNumber, field); break;
    default: break;
  }
}

void WlistCsvReader::EndRow() {
  m_row.line = m_rowLine;
  if (!m_onRow(m_row)) m_stopped = true;
  m_row.record = CameraClientWhiteListRecord{};
  m_row.segmentText.clear();
  m_row.plate = WlistPlateCheck::Empty;
  m_column = 0;
  m_rowPending = true;
}
