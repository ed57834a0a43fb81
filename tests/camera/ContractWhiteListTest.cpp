// The whitelist over the simulated camera: import, paging and filter, the rows arriving on the
// calling thread before the query returns, replace by plate, update, delete and clear.

#include "cameraclient/CameraClient.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "SimCameras.h"

namespace camera::test {
namespace {

using protocol::Operation;
using protocol::Status;

CameraClientWhiteListRecord Row(const std::string& plate, const char* customer = "") {
  CameraClientWhiteListRecord row{};
  std::strcpy(row.plate, plate.c_str());
  std::strcpy(row.customerCode, customer);
  row.enabled = 1;
  row.createTimeSet = 1;
  const std::int16_t created[6] = {2026, 1, 2, 8, 30, 0};
  std::memcpy(row.createTime, created, sizeof created);
  row.plateColor = 6;
  row.plateType = 1;
  return row;
}

// The rows of one query call, with the thread each arrived on.
struct RowSink {
  std::vector<CameraClientWhiteListRecord> rows;
  std::vector<std::thread::id> threads;
};

int CollectRow(CameraClientHandle, void* user, const CameraClientWhiteListRecord* record) {
  auto* sink = static_cast<RowSink*>(user);
  sink->rows.push_back(*record);
  sink->threads.push_back(std::this_thread::get_id());
  return 0;
}

class ContractWhiteListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_sim.Add(1));
    m_handle = m_sim.Open(0);
    ASSERT_NE(m_handle, 0);
    ASSERT_EQ(CameraClient_ClearWhiteList(m_handle), 0);
  }

  int Import(const std::vector<CameraClientWhiteListRecord>& rows) {
    std::vector<CameraClientWhiteListRecord> copies = rows;
    std::vector<CameraClientWhiteListEntry> entries(copies.size());
    std::vector<CameraClientWhiteListEntry> zeroed(copies.size());
    for (std::size_t i = 0; i < copies.size(); ++i) entries[i] = {0, &copies[i]};
    return CameraClient_ImportWhiteList(m_handle, static_cast<int>(copies.size()), entries.data(), zeroed.data());
  }

  std::uint32_t Count(const char* filter) {
    CameraClientWhiteListKeyValue item{"PlateID", ""};
    std::strcpy(item.value, filter);
    CameraClientWhiteListSearch search{0, 1, &item};
    std::uint32_t count = 0;
    EXPECT_EQ(CameraClient_QueryWhiteListCount(m_handle, &count, &search), 0);
    return count;
  }

  RowSink Page(const char* filter, int first, int count, int* result = nullptr) {
    RowSink sink;
    CameraClient_SetWhiteListCallback(m_handle, CollectRow, &sink);
    CameraClientWhiteListKeyValue item{"PlateID", ""};
    std::strcpy(item.value, filter);
    CameraClientWhiteListSearch search{0, 1, &item};
    CameraClientWhiteListRange range{first, count};
    CameraClientWhiteListLimit limit{CAMERACLIENT_WHITELIST_LIMIT_RANGE, &range};
    CameraClientWhiteListCondition condition{&search, &limit, 0};
    const int status = CameraClient_QueryWhiteList(m_handle, &condition);
    if (result != nullptr) *result = status;
    CameraClient_SetWhiteListCallback(m_handle, nullptr, nullptr);
    return sink;
  }

  SimCameras m_sim;
  CameraClientHandle m_handle = 0;
};

TEST_F(ContractWhiteListTest, ImportedRowsPageInOrderOnTheCallingThread) {
  std::vector<CameraClientWhiteListRecord> rows;
  for (int i = 0; i < 300; ++i) rows.push_back(Row("\xBE\xA9" "A" + std::to_string(10000 + i)));
  ASSERT_EQ(Import(rows), 0);
  EXPECT_EQ(Count(""), 300u);

  std::vector<std::string> seen;
  for (int first = 0; first < 300; first += 200) {
    const RowSink page = Page("", first, 200);
    for (std::size_t i = 0; i < page.rows.size(); ++i) {
      seen.push_back(page.rows[i].plate);
      EXPECT_EQ(page.threads[i], std::this_thread::get_id());
      EXPECT_GT(page.rows[i].recordId, 0);  // ids come from the camera
    }
  }
  ASSERT_EQ(seen.size(), 300u);
  for (int i = 0; i < 300; ++i) EXPECT_EQ(seen[i], rows[i].plate);
  EXPECT_TRUE(Page("", 300, 20).rows.empty());
  EXPECT_EQ(Page("", 290, 20).rows.size(), 10u);
}

TEST_F(ContractWhiteListTest, TheFilterMatchesAnywhereInThePlate) {
  ASSERT_EQ(Import({Row("A12345"), Row("B12399"), Row("C77123"), Row("D00000")}), 0);
  EXPECT_EQ(Count("123"), 3u);
  EXPECT_EQ(Count("D"), 1u);
  EXPECT_EQ(Count("zzz"), 0u);
  const RowSink page = Page("123", 1, 20);
  ASSERT_EQ(page.rows.size(), 2u);
  EXPECT_STREQ(page.rows[0].plate, "B12399");
  EXPECT_STREQ(page.rows[1].plate, "C77123");
}

TEST_F(ContractWhiteListTest, ImportReplacesByPlateAndKeepsTheId) {
  ASSERT_EQ(Import({Row("A12345", "old")}), 0);
  const auto before = Page("A12345", 0, 20).rows;
  ASSERT_EQ(before.size(), 1u);
  ASSERT_EQ(Import({Row("A12345", "new")}), 0);
  EXPECT_EQ(Count(""), 1u);
  const auto after = Page("A12345", 0, 20).rows;
  ASSERT_EQ(after.size(), 1u);
  EXPECT_STREQ(after[0].customerCode, "new");
  EXPECT_EQ(after[0].recordId, before[0].recordId);
}

TEST_F(ContractWhiteListTest, ByPlateFindsOnlyAnExactPlate) {
  ASSERT_EQ(Import({Row("A12345", "vip")}), 0);
  RowSink sink;
  CameraClient_SetWhiteListCallback(m_handle, CollectRow, &sink);
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "A12345"), 0);
  ASSERT_EQ(sink.rows.size(), 1u);  // before the call returned
  EXPECT_STREQ(sink.rows[0].customerCode, "vip");
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "A1234"), 1);  // absent
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "B99999"), 1);
  EXPECT_EQ(sink.rows.size(), 1u);
  // Rows never come from another kind of call.
  int enable = 0;
  CameraClient_GetWhiteListEnable(m_handle, &enable);
  CameraClient_ClearWhiteList(m_handle);
  EXPECT_EQ(sink.rows.size(), 1u);
  CameraClient_SetWhiteListCallback(m_handle, nullptr, nullptr);
}

// A failed lookup says nothing about the plate: it must not read as "absent".
TEST_F(ContractWhiteListTest, ByPlateTellsAFailureFromAnAbsentPlate) {
  ASSERT_EQ(Import({Row("A12345")}), 0);
  RowSink sink;
  CameraClient_SetWhiteListCallback(m_handle, CollectRow, &sink);
  m_sim.Camera(0).Faults().Set(Operation::WhiteListByPlate, camsim::Fault{Status::Failed});
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "A12345"), -1);
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "B99999"), -1);
  m_sim.Camera(0).Faults().Set(Operation::WhiteListByPlate, camsim::Fault{std::nullopt, {}, false, true});
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "A12345"), -1);  // the connection dropped
  m_sim.Camera(0).Faults().ClearAll();
  EXPECT_TRUE(sink.rows.empty());
  EXPECT_EQ(CameraClient_QueryWhiteListByPlate(m_handle, "A12345"), 0);
  EXPECT_EQ(sink.rows.size(), 1u);
  CameraClient_SetWhiteListCallback(m_handle, nullptr, nullptr);
}

// Another camera's file carries that camera's ids; a refused batch leaves the list as it was.
TEST_F(ContractWhiteListTest, ImportIsKeyedOnThePlateAndAllOrNothing) {
  ASSERT_EQ(Import({Row("A1", "one"), Row("A2", "two")}), 0);
  const auto before = Page("", 0, 20).rows;
  ASSERT_EQ(before.size(), 2u);

  CameraClientWhiteListRecord unterminated = Row("A3");
  std::memset(unterminated.customerNumber, '9', sizeof unterminated.customerNumber);
  CameraClientWhiteListRecord changed = Row("A1", "changed");
  EXPECT_NE(Import({changed, Row("A4"), unterminated}), 0);
  EXPECT_EQ(Count(""), 2u);
  EXPECT_STREQ(Page("A1", 0, 20).rows.at(0).customerCode, "one");

  CameraClientWhiteListRecord foreign = Row("B7", "foreign");
  foreign.recordId = before[0].recordId;
  CameraClientWhiteListRecord again = Row("A2", "again");
  again.recordId = 987654;
  ASSERT_EQ(Import({foreign, again}), 0);
  const auto after = Page("", 0, 20).rows;
  ASSERT_EQ(after.size(), 3u);
  EXPECT_STREQ(after[0].plate, "A1");
  EXPECT_STREQ(after[0].customerCode, "one");
  EXPECT_EQ(after[1].recordId, before[1].recordId);
  EXPECT_STREQ(after[1].customerCode, "again");
  EXPECT_STREQ(after[2].plate, "B7");
  EXPECT_NE(after[2].recordId, before[0].recordId);
}

TEST_F(ContractWhiteListTest, AFaultCanRefuseOnlyTheThirdBatch) {
  camsim::Fault third{Status::Failed};
  third.times = 1;
  third.after = 2;
  m_sim.Camera(0).Faults().Set(Operation::WhiteListImport, third);
  EXPECT_EQ(Import({Row("A1")}), 0);
  EXPECT_EQ(Import({Row("A2")}), 0);
  EXPECT_NE(Import({Row("A3")}), 0);
  EXPECT_EQ(Import({Row("A4")}), 0);
  EXPECT_EQ(Count(""), 3u);
  EXPECT_EQ(Count("A3"), 0u);
}

TEST_F(ContractWhiteListTest, UpdateAndDeleteWorkById) {
  ASSERT_EQ(Import({Row("A1"), Row("A2")}), 0);
  auto rows = Page("", 0, 20).rows;
  ASSERT_EQ(rows.size(), 2u);
  CameraClientWhiteListRecord changed = rows[0];
  changed.alarm = 1;
  std::strcpy(changed.customerNumber, "13900000000");
  ASSERT_EQ(CameraClient_UpdateWhiteList(m_handle, &changed), 0);
  rows = Page("A1", 0, 20).rows;
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].alarm, 1);
  EXPECT_STREQ(rows[0].customerNumber, "13900000000");

  CameraClientWhiteListRecord missing = changed;
  missing.recordId = 999999;
  EXPECT_NE(CameraClient_UpdateWhiteList(m_handle, &missing), 0);
  EXPECT_NE(CameraClient_DeleteWhiteList(m_handle, 999999), 0);
  ASSERT_EQ(CameraClient_DeleteWhiteList(m_handle, changed.recordId), 0);
  EXPECT_EQ(Count(""), 1u);
  ASSERT_EQ(CameraClient_ClearWhiteList(m_handle), 0);
  EXPECT_EQ(Count(""), 0u);
}

TEST_F(ContractWhiteListTest, ImportRefusesWhatItCannotSend) {
  EXPECT_NE(Import({}), 0);
  std::vector<CameraClientWhiteListRecord> tooMany(1001, Row("X1"));
  EXPECT_NE(Import(tooMany), 0);
  CameraClientWhiteListRecord record = Row("A1");
  CameraClientWhiteListEntry entries[2] = {{0, &record}, {0, nullptr}};
  EXPECT_NE(CameraClient_ImportWhiteList(m_handle, 2, entries, nullptr), 0);  // a missing record
  EXPECT_EQ(Count(""), 0u);
}

TEST_F(ContractWhiteListTest, AHundredThousandRowsPageOut) {
  constexpr int kRows = 100000;
  for (int first = 0; first < kRows; first += 1000) {
    std::vector<CameraClientWhiteListRecord> batch;
    for (int i = first; i < first + 1000; ++i) batch.push_back(Row("P" + std::to_string(i)));
    ASSERT_EQ(Import(batch), 0);
  }
  EXPECT_EQ(Count(""), static_cast<std::uint32_t>(kRows));
  const RowSink last = Page("", kRows - 200, 200);
  ASSERT_EQ(last.rows.size(), 200u);
  EXPECT_STREQ(last.rows.back().plate, ("P" + std::to_string(kRows - 1)).c_str());
  EXPECT_EQ(Count("P9999"), 11u);  // P9999 and P99990..P99999
}

}  // namespace
}  // namespace camera::test
