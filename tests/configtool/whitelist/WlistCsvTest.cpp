// The whitelist CSV file: the writer's bytes, the quoting, the round trip of every column, and
// the reader's checks and stops on hand-made files.

#include "configtool/features/whitelist/WlistCsvReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "TestSegmentCodec.h"
#include "configtool/features/whitelist/CsvField.h"
#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistDateText.h"

namespace wlist::test {
namespace {

CameraClientWhiteListRecord Record(const std::string& plate) {
  CameraClientWhiteListRecord record{};
  std::strncpy(record.plate, plate.c_str(), sizeof record.plate - 1);
  return record;
}

void SetTime(std::int16_t (&time)[6], std::initializer_list<int> values) {
  int i = 0;
  for (const int value : values) time[i++] = static_cast<std::int16_t>(value);
}

std::string SegmentText(const TimeSegmentTable& table) {
  std::string text;
  FormatSegments(table, text);
  return text;
}

std::string Row(const CameraClientWhiteListRecord& record) {
  std::string text;
  AppendWlistCsvRow(text, record, SegmentText(record.segments));
  return text;
}

struct ReadResult {
  std::vector<WlistCsvRow> rows;
  bool finished = false;
  std::optional<int> malformedLine;
};

// Reads `text` whole, fed in pieces of `piece` bytes.
ReadResult Read(std::string_view text, std::size_t piece = 4096) {
  ReadResult result;
  WlistCsvReader reader([&](WlistCsvRow& row) {
    result.rows.push_back(row);
    return true;
  });
  bool reading = true;
  for (std::size_t at = 0; reading && at < text.size(); at += piece) reading = reader.Feed(text.substr(at, piece));
  result.finished = reading && reader.Finish();
  result.malformedLine = reader.MalformedLine();
  return result;
}

std::string File(const std::vector<std::string>& lines) {
  std::string text = WlistCsvHeaderLine();
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST(WlistCsvFormat, WritesTheHeaderAndPlainRowsByteForByteAsBefore) {
  EXPECT_EQ(WlistCsvHeaderLine(), "ID,车牌号码,是否启用,建档时间,过期时间,启用时间段,时间段,报警,客户代码,客户编码\r\n");
  EXPECT_EQ(WlistCsvHeaderLine().size(), 81u);  // 80 with a bare line end

  CameraClientWhiteListRecord record = Record("京A12345");
  record.recordId = 12;
  record.enabled = 1;
  record.createTimeSet = 1;
  SetTime(record.createTime, {2024, 3, 7, 8, 5, 9});
  SetTime(record.expiryTime, {2025, 1, 1, 0, 0, 0});  // not set: not written
  record.useTimeSegments = 1;
  std::strcpy(record.customerCode, "VIP");
  std::strcpy(record.customerNumber, "13900000000");
  std::string text;
  AppendWlistCsvRow(text, record, "星期一, 二 08:00:00 至 18:30:00");
  EXPECT_EQ(text, "12,京A12345,是,2024-03-07 08:05,,是,星期一& 二 08:00:00 至 18:30:00,否,VIP,13900000000\r\n");

  text.clear();
  AppendWlistCsvRow(text, CameraClientWhiteListRecord{}, "");
  EXPECT_EQ(text, "0,,否,,,否,,否,,\r\n");
}

TEST(CsvField, QuotesOnlyAFieldThatMustBeQuoted) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"京A12345", "京A12345"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {" lead", "\" lead\""},
      {"trail ", "\"trail \""},
      {"\ttab", "\"\ttab\""},
      {"in side", "in side"},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"lf\n", "\"lf\n\""},
      {"表", "表"},  // 0xB1 0xED: no byte of it is special
  };
  for (const auto& [field, written] : cases) {
    std::string line;
    AppendCsvField(line, field);
    EXPECT_EQ(line, written) << field;
  }
}

TEST(WlistCsv, WhatTheToolWritesReadsBackWhole) {
  std::vector<CameraClientWhiteListRecord> records;
  CameraClientWhiteListRecord plain = Record("京A12345");
  plain.recordId = 7;
  plain.enabled = 1;
  plain.alarm = 1;
  plain.createTimeSet = 1;
  SetTime(plain.createTime, {2024, 2, 29, 8, 5, 0});
  plain.expiryTimeSet = 1;
  SetTime(plain.expiryTime, {2030, 12, 31, 23, 59, 0});
  std::strcpy(plain.customerCode, "京A12345");
  std::strcpy(plain.customerNumber, "业主13900000000");
  records.push_back(plain);

  CameraClientWhiteListRecord fullWeek = Record("粤B8888D");
  fullWeek.useTimeSegments = 1;
  fullWeek.segments = FullWeekSchedule();
  records.push_back(fullWeek);

  CameraClientWhiteListRecord awkward = Record("沪C,123");
  std::strcpy(awkward.customerCode, " lead");
  std::strcpy(awkward.customerNumber, "say \"hi\", then\r\nbye ");
  records.push_back(awkward);

  std::string text = WlistCsvHeaderLine();
  for (const auto& record : records) text += Row(record);
  EXPECT_GT(SegmentText(fullWeek.segments).size(), 400u);

  for (const std::size_t piece : {std::size_t{4096}, std::size_t{7}, std::size_t{1}}) {
    SCOPED_TRACE(piece);
    const ReadResult read = Read(text, piece);
    ASSERT_TRUE(read.finished);
    ASSERT_EQ(read.rows.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      const CameraClientWhiteListRecord& sent = records[i];
      const WlistCsvRow& row = read.rows[i];
      CameraClientWhiteListRecord back = row.record;
      if (!row.segmentText.empty()) ParseSegments(row.segmentText, back.segments);
      EXPECT_EQ(row.plate, WlistPlateCheck::Fits);
      EXPECT_EQ(row.line, static_cast<int>(i) + 2);
      EXPECT_EQ(std::memcmp(&back, &sent, sizeof back), 0) << sent.plate;
    }
  }
}

TEST(WlistCsv, SecondsAreNotWrittenAndReadBackAsZero) {
  CameraClientWhiteListRecord record = Record("A1");
  record.expiryTimeSet = 1;
  SetTime(record.expiryTime, {2026, 6, 30, 23, 59, 59});
  const ReadResult read = Read(WlistCsvHeaderLine() + Row(record));
  ASSERT_EQ(read.rows.size(), 1u);
  const std::int16_t expected[6] = {2026, 6, 30, 23, 59, 0};
  EXPECT_EQ(std::memcmp(read.rows[0].record.expiryTime, expected, sizeof expected), 0);
}

TEST(WlistCsvReader, ReadsEachColumnUpToItsOwnCapacity) {
  const std::string code40 = "京京京京京京京京京京京京京京京京京京京京";  // 40 GBK bytes
  const std::string segments1023(1023, 'S');
  const ReadResult read = Read(File({
      "1," + std::string(31, 'P') + ",是",  // the longest plate
      "2," + std::string(32, 'P') + ",是",  // refused, not cut
      "3,,是",                                        // empty plate
      "4,京A1,是,,,是,\"\",是," + code40 + "," + std::string(70, '9'),
      "5,京A2,否,2024-01-01 08:00,bad date,否," + segments1023 + ",否,x,y,extra,fields",
      "abc,京A3",
      "99999999999,京A4",
      "-7,京A5",
  }));
  ASSERT_TRUE(read.finished);
  ASSERT_EQ(read.rows.size(), 8u);
  EXPECT_EQ(read.rows[0].plate, WlistPlateCheck::Fits);
  EXPECT_EQ(std::strlen(read.rows[0].record.plate), 31u);
  EXPECT_EQ(read.rows[1].plate, WlistPlateCheck::TooLong);
  EXPECT_EQ(read.rows[2].plate, WlistPlateCheck::Empty);

  const CameraClientWhiteListRecord& cut = read.rows[3].record;
  EXPECT_EQ(std::string(cut.customerCode), code40.substr(0, 30));  // 31 would split a character
  EXPECT_EQ(std::string(cut.customerNumber), std::string(63, '9'));
  EXPECT_EQ(cut.useTimeSegments, 1);
  EXPECT_EQ(cut.alarm, 1);
  EXPECT_TRUE(read.rows[3].segmentText.empty());

  const CameraClientWhiteListRecord& dates = read.rows[4].record;
  EXPECT_EQ(dates.createTimeSet, 1);
  EXPECT_EQ(dates.createTime[3], 8);
  EXPECT_EQ(dates.expiryTimeSet, 0);
  EXPECT_EQ(read.rows[4].segmentText, segments1023);
  EXPECT_STREQ(dates.customerNumber, "y");

  EXPECT_EQ(read.rows[5].record.recordId, 0);
  EXPECT_EQ(read.rows[6].record.recordId, INT32_MAX);
  EXPECT_EQ(read.rows[7].record.recordId, -7);
  EXPECT_EQ(read.rows[7].record.enabled, 0);  // a short line leaves the rest at zero
  EXPECT_EQ(read.rows[7].line, 9);
}

TEST(WlistCsvReader, StopsAtAMalformedRecordAndNamesItsLine) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::size_t rowsBefore;
    int line;
  };
  const Case cases[] = {
      {"unterminated quote", {"1,A1", "2,A2", "3,\"A3,是", "4,A4", "5,A5"}, 2, 4},
      {"quote inside a field", {"1,A1", "2,A\"2,是", "3,A3"}, 1, 3},
      {"text after a closing quote", {"1,\"A1\"x,是", "2,A2"}, 0, 2},
      {"field longer than any column", {"1,A1", "2,A2,是,,,是," + std::string(1024, 'S'), "3,A3"}, 1, 3},
      {"quoted field longer than any column", {"1,A1,是,,,是,\"" + std::string(1024, 'S') + "\"", "2,A2"}, 0, 2},
      {"runaway quote", {"1,A1", "2,\"" + std::string(600, 'x'), std::string(600, 'y'), "3,A3"}, 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult read = Read(File(c.lines), 100);
    EXPECT_FALSE(read.finished);
    EXPECT_EQ(read.rows.size(), c.rowsBefore);
    EXPECT_EQ(read.malformedLine, c.line);
  }
}

TEST(WlistCsvReader, ReadsEitherLineEndAndALastLineWithoutOne) {
  const ReadResult read = Read("ID,\"header, whatever\"\nA,B1\r\n\r\n1,B2\n2,B3");
  ASSERT_TRUE(read.finished);
  ASSERT_EQ(read.rows.size(), 3u);
  EXPECT_STREQ(read.rows[0].record.plate, "B1");
  EXPECT_EQ(read.rows[1].line, 4);  // after an empty line
  EXPECT_STREQ(read.rows[2].record.plate, "B3");
  EXPECT_EQ(read.rows[2].record.recordId, 2);
  EXPECT_TRUE(Read("no line end at all").rows.empty());
}

TEST(WlistCsvReader, AHandlerThatSaysStopEndsTheReading) {
  int seen = 0;
  WlistCsvReader reader([&](WlistCsvRow&) { return ++seen < 2; });
  EXPECT_FALSE(reader.Feed(File({"1,A1", "2,A2", "3,A3", "4,A4"})));
  EXPECT_FALSE(reader.Finish());
  EXPECT_EQ(seen, 2);
  EXPECT_FALSE(reader.MalformedLine());
}

TEST(WlistDateText, ReadsTheWrittenAndTheUsualFormsOfRealTimesOnly) {
  const std::pair<const char*, std::array<int, 6>> good[] = {
      {"2024-03-07 08:05", {2024, 3, 7, 8, 5, 0}},      {"2024-03-07 08:05:09", {2024, 3, 7, 8, 5, 9}},
      {"2024/3/7 8:5", {2024, 3, 7, 8, 5, 0}},          {"2024/03/07 23:59:59", {2024, 3, 7, 23, 59, 59}},
      {"2024-02-29 00:00", {2024, 2, 29, 0, 0, 0}},     {"2000-02-29 12:00", {2000, 2, 29, 12, 0, 0}},
  };
  for (const auto& [text, fields] : good) {
    std::int16_t time[6] = {};
    ASSERT_TRUE(ParseWlistDateTime(text, time)) << text;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(time[i], fields[static_cast<std::size_t>(i)]) << text;
  }
  const char* const bad[] = {"",
                             "2023-02-29 00:00",
                             "1900-02-29 00:00",
                             "2024-04-31 10:00",
                             "2024-13-01 00:00",
                             "2024-00-10 00:00",
                             "2024-01-00 00:00",
                             "2024-01-01 24:00",
                             "2024-01-01 23:60",
                             "2024-01-01 23:59:60",
                             "2024-01/01 00:00",
                             "24-01-01 00:00",
                             "2024-001-01 00:00",
                             "2024-01-01",
                             "2024-01-01T00:00",
                             "2024-01-01  00:00",
                             " 2024-01-01 00:00",
                             "2024-01-01 00:00 ",
                             "2024-01-01 00:00:00:00",
                             "2024-01-01 0:",
                             "日期不合法!"};
  for (const char* text : bad) {
    std::int16_t time[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(ParseWlistDateTime(text, time)) << text;
    EXPECT_EQ(time[5], 6);
  }
  const std::int16_t time[6] = {2024, 3, 7, 8, 5, 9};
  EXPECT_EQ(FormatWlistCsvTime(time), "2024-03-07 08:05");
  EXPECT_EQ(FormatWlistListTime(time), "2024-03-07 08:05:09");
}

}  // namespace
}  // namespace wlist::test
