#include "sim/PlateRecordStore.h"

#include <gtest/gtest.h>

#include "sim/GbkText.h"

namespace camsim {
namespace {

using camera::protocol::ParseQueryTime;
using camera::protocol::QueryTime;

PlateRecord Record(PlateRecordStore& store, const std::string& plate, int hour, int minute, int trigger = 1) {
  PlateRecord record;
  SetFieldText(record.result.plate, plate);
  record.result.recordId = store.NextId();
  record.result.year = 2026;
  record.result.month = 1;
  record.result.day = 1;
  record.result.hour = static_cast<std::uint8_t>(hour);
  record.result.minute = static_cast<std::uint8_t>(minute);
  record.result.triggerType = trigger;
  record.queryTrigger = QueryTriggerOf(trigger);
  record.jpeg = std::make_shared<const std::vector<std::uint8_t>>(std::vector<std::uint8_t>{0xFF, 0xD8, static_cast<std::uint8_t>(record.result.recordId)});
  return record;
}

QueryTime Time(const char* text) { return *ParseQueryTime(text); }

std::vector<int> Ids(const std::vector<camera::protocol::PlateQueryRecord>& page) {
  std::vector<int> ids;
  for (const auto& record : page) ids.push_back(record.result.recordId);
  return ids;
}

TEST(PlateRecordStore, SelectsByTimeRangeAndPlateInTimeOrder) {
  PlateRecordStore store;
  store.Add(Record(store, "A11111", 9, 0));   // id 1
  store.Add(Record(store, "B22222", 8, 0));   // id 2, earlier although added later
  store.Add(Record(store, "A33333", 10, 0));  // id 3
  store.Add(Record(store, "C11144", 10, 0));  // id 4, same second as id 3

  const QueryTime dayStart = Time("2026-01-01 00:00:00");
  const QueryTime dayEnd = Time("2026-01-01 23:59:59");
  EXPECT_EQ(Ids(store.Page(dayStart, dayEnd, "", 0, 10)), (std::vector<int>{2, 1, 3, 4}));
  EXPECT_EQ(store.Count(dayStart, dayEnd, "111"), 2u);
  EXPECT_EQ(Ids(store.Page(dayStart, dayEnd, "111", 0, 10)), (std::vector<int>{1, 4}));
  // Both ends of the range count.
  EXPECT_EQ(store.Count(Time("2026-01-01 09:00:00"), Time("2026-01-01 10:00:00"), ""), 3u);
  EXPECT_EQ(store.Count(Time("2026-01-02 00:00:00"), Time("2026-01-03 00:00:00"), ""), 0u);
  EXPECT_EQ(Ids(store.Page(dayStart, dayEnd, "", 1, 3)), (std::vector<int>{1, 3}));
  EXPECT_TRUE(store.Page(dayStart, dayEnd, "", 4, 24).empty());
}

TEST(PlateRecordStore, DropsTheOldestWhenFullAndFindsPicturesById) {
  PlateRecordStore store(3);
  for (int minute = 0; minute < 5; ++minute) store.Add(Record(store, "P", 12, minute));
  EXPECT_EQ(store.Size(), 3u);
  EXPECT_EQ(store.Image(1), nullptr);
  EXPECT_EQ(store.Image(2), nullptr);
  ASSERT_NE(store.Image(5), nullptr);
  EXPECT_EQ(store.Image(5)->back(), 5);
}

TEST(PlateRecordStore, QueryTriggerOfTriggerBits) {
  struct Case {
    int bits;
    int trigger;
  };
  for (const Case c : {Case{1, 1}, Case{4, 2}, Case{2, 3}, Case{8, 4}, Case{3, 5}, Case{9, 5}, Case{0, 5}}) {
    EXPECT_EQ(QueryTriggerOf(c.bits), c.trigger) << c.bits;
  }
}

}  // namespace
}  // namespace camsim
