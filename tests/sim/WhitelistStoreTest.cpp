#include "sim/WhitelistStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/os/Charset.h"
#include "sim/GbkText.h"

namespace camsim {
namespace {

CameraClientWhiteListRecord Record(const std::string& plate, std::int32_t id = 0, int alarm = 0) {
  CameraClientWhiteListRecord record{};
  record.recordId = id;
  SetFieldText(record.plate, plate);
  record.enabled = 1;
  record.alarm = alarm;
  return record;
}

std::string PlateNumber(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "A%05d", i);
  return text;
}

std::vector<std::string> Plates(const std::vector<CameraClientWhiteListRecord>& rows) {
  std::vector<std::string> plates;
  for (const auto& row : rows) plates.emplace_back(FieldText(row.plate));
  return plates;
}

// 100 000 records, imported in the tool's batches of 300.
class LargeWhitelist : public ::testing::Test {
 protected:
  static constexpr int kRecords = 100'000;

  void SetUp() override {
    std::vector<CameraClientWhiteListRecord> batch;
    for (int i = 0; i < kRecords; ++i) {
      batch.push_back(Record(PlateNumber(i)));
      if (batch.size() == 300 || i == kRecords - 1) {
        ASSERT_EQ(m_store.Import(batch), WhitelistStore::Result::Ok);
        batch.clear();
      }
    }
  }

  WhitelistStore m_store;
};

TEST_F(LargeWhitelist, PagesThroughEveryRecordInIdOrder) {
  ASSERT_EQ(m_store.Size(), static_cast<std::size_t>(kRecords));
  const auto start = std::chrono::steady_clock::now();
  std::int32_t lastId = 0;
  std::size_t seen = 0;
  for (std::size_t first = 0; first < static_cast<std::size_t>(kRecords); first += 200) {
    const auto page = m_store.Page("", first, 200);
    ASSERT_EQ(page.size(), 200u);
    for (const auto& row : page) {
      EXPECT_GT(row.recordId, lastId);
      lastId = row.recordId;
    }
    seen += page.size();
  }
  EXPECT_EQ(seen, static_cast<std::size_t>(kRecords));
  EXPECT_TRUE(m_store.Page("", kRecords, 200).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(LargeWhitelist, FiltersAnywhereInThePlate) {
  EXPECT_EQ(m_store.Count(""), static_cast<std::uint32_t>(kRecords));
  EXPECT_EQ(m_store.Count("A0000"), 10u);  // A00000 ... A00009
  EXPECT_EQ(m_store.Count("99999"), 1u);
  EXPECT_EQ(m_store.Count("9999"), 19u);  // A09999, A19999 ... A99999, and A99990 ... A99998
  EXPECT_EQ(m_store.Count("B"), 0u);
  const auto page = m_store.Page("9999", 2, 3);
  ASSERT_EQ(page.size(), 3u);
  EXPECT_EQ(Plates(page), (std::vector<std::string>{"A29999", "A39999", "A49999"}));
}

TEST_F(LargeWhitelist, FilteredPagesStayRightWhenPagingBackOrAfterAChange) {
  const auto all = m_store.Page("9999", 0, 19);
  ASSERT_EQ(all.size(), 19u);
  EXPECT_EQ(Plates(m_store.Page("9999", 10, 5)), Plates({all.begin() + 10, all.begin() + 15}));
  EXPECT_EQ(Plates(m_store.Page("9999", 15, 5)), Plates({all.begin() + 15, all.end()}));
  EXPECT_EQ(Plates(m_store.Page("9999", 1, 2)), Plates({all.begin() + 1, all.begin() + 3}));
  ASSERT_EQ(m_store.Delete(all[0].recordId), WhitelistStore::Result::Ok);
  EXPECT_EQ(Plates(m_store.Page("9999", 2, 2)), Plates({all.begin() + 3, all.begin() + 5}));
  EXPECT_EQ(Plates(m_store.Page("99999", 0, 5)), (std::vector<std::string>{"A99999"}));
}

TEST_F(LargeWhitelist, ImportReplacesByPlateAndKeepsTheId) {
  const auto before = m_store.FindByPlate("A01234");
  ASSERT_TRUE(before);
  ASSERT_EQ(m_store.Import(std::vector{Record("A01234", 0, 1), Record("NEW001")}), WhitelistStore::Result::Ok);
  const auto after = m_store.FindByPlate("A01234");
  ASSERT_TRUE(after);
  EXPECT_EQ(after->recordId, before->recordId);
  EXPECT_EQ(after->alarm, 1);
  EXPECT_EQ(m_store.Size(), static_cast<std::size_t>(kRecords) + 1);
  const auto added = m_store.FindByPlate("NEW001");
  ASSERT_TRUE(added);
  EXPECT_GT(added->recordId, kRecords);
}

TEST_F(LargeWhitelist, DeleteAndClear) {
  const auto record = m_store.FindByPlate("A50000");
  ASSERT_TRUE(record);
  EXPECT_EQ(m_store.Delete(record->recordId), WhitelistStore::Result::Ok);
  EXPECT_EQ(m_store.Delete(record->recordId), WhitelistStore::Result::NotFound);
  EXPECT_FALSE(m_store.FindByPlate("A50000"));
  EXPECT_EQ(m_store.Count("A5000"), 9u);
  m_store.Clear();
  EXPECT_EQ(m_store.Count(""), 0u);
  EXPECT_TRUE(m_store.Page("", 0, 20).empty());
  // Ids are never handed out twice, not even after a clear.
  ASSERT_EQ(m_store.Import(std::vector{Record("A50000")}), WhitelistStore::Result::Ok);
  EXPECT_GT(m_store.FindByPlate("A50000")->recordId, record->recordId);
}

TEST(WhitelistStore, UpdateByIdRefusesUnknownIdsAndTakenPlates) {
  WhitelistStore store;
  ASSERT_EQ(store.Import(std::vector{Record("P1"), Record("P2")}), WhitelistStore::Result::Ok);
  const std::int32_t first = store.FindByPlate("P1")->recordId;

  EXPECT_EQ(store.Update(Record("P1-NEW", first)), WhitelistStore::Result::Ok);
  EXPECT_FALSE(store.FindByPlate("P1"));
  EXPECT_EQ(store.FindByPlate("P1-NEW")->recordId, first);
  EXPECT_EQ(store.Update(Record("P2", first)), WhitelistStore::Result::Conflict);
  EXPECT_EQ(store.Update(Record("P9", 12345)), WhitelistStore::Result::NotFound);
  EXPECT_EQ(store.Size(), 2u);
}

// A file of another camera carries that camera's ids: they must not overwrite records here.
TEST(WhitelistStore, ImportIsKeyedOnThePlateNotOnTheId) {
  WhitelistStore store;
  ASSERT_EQ(store.Import(std::vector{Record("P1"), Record("P2")}), WhitelistStore::Result::Ok);
  const std::int32_t first = store.FindByPlate("P1")->recordId;
  const std::int32_t second = store.FindByPlate("P2")->recordId;

  ASSERT_EQ(store.Import(std::vector{Record("OTHER", first), Record("P2", 777, 1)}), WhitelistStore::Result::Ok);
  EXPECT_EQ(store.Size(), 3u);
  EXPECT_EQ(store.FindById(first)->plate, std::string("P1"));
  EXPECT_NE(store.FindByPlate("OTHER")->recordId, first);
  EXPECT_EQ(store.FindByPlate("P2")->recordId, second);
  EXPECT_EQ(store.FindByPlate("P2")->alarm, 1);
  EXPECT_FALSE(store.FindById(777));
}

TEST(WhitelistStore, AMalformedRecordRefusesTheWholeBatch) {
  WhitelistStore store;
  CameraClientWhiteListRecord unterminated = Record("X");
  std::memset(unterminated.plate, 'A', sizeof unterminated.plate);
  CameraClientWhiteListRecord badCustomer = Record("Y");
  std::memset(badCustomer.customerNumber, 'C', sizeof badCustomer.customerNumber);
  for (const auto& bad : {Record(""), unterminated, badCustomer}) {
    EXPECT_EQ(store.Import(std::vector{Record("GOOD"), bad}), WhitelistStore::Result::Invalid);
    EXPECT_EQ(store.Size(), 0u);
  }
}

TEST(WhitelistStore, ABatchWithoutRoomChangesNothing) {
  WhitelistStore store(3);
  ASSERT_EQ(store.Import(std::vector{Record("P1"), Record("P2")}), WhitelistStore::Result::Ok);
  EXPECT_EQ(store.Import(std::vector{Record("P1", 0, 1), Record("P3"), Record("P4")}), WhitelistStore::Result::Full);
  EXPECT_EQ(store.Size(), 2u);
  EXPECT_EQ(store.FindByPlate("P1")->alarm, 0);
  // Replacing needs no room, and a plate twice in one batch needs room once.
  EXPECT_EQ(store.Import(std::vector{Record("P2", 0, 1), Record("P3"), Record("P3", 0, 1)}),
            WhitelistStore::Result::Ok);
  EXPECT_EQ(store.Size(), 3u);
  EXPECT_EQ(store.FindByPlate("P3")->alarm, 1);
}

TEST(WhitelistStore, FilterMatchesWholeGbkCharactersOnly) {
  WhitelistStore store;
  const std::string plate = os::Utf8ToGbk("京A12345");
  ASSERT_EQ(store.Import(std::vector{Record(plate)}), WhitelistStore::Result::Ok);
  EXPECT_EQ(store.Count(os::Utf8ToGbk("京")), 1u);
  EXPECT_EQ(store.Count("A123"), 1u);
  // The trail byte of 京 followed by 'A' is no text of the plate.
  EXPECT_EQ(store.Count(plate.substr(1, 2)), 0u);
}

}  // namespace
}  // namespace camsim
