#include "sim/SeedData.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "SimulatorFixture.h"
#include "platform/camera/protocol/RecordRules.h"
#include "sim/GbkText.h"
#include "sim/WhitelistStore.h"

namespace camsim::test {
namespace {

int EnabledSegments(const TimeSegmentTable& table) {
  int enabled = 0;
  for (const auto& entry : table.entries) enabled += entry.enable != 0 ? 1 : 0;
  return enabled;
}

TEST(SeedWhitelist, GivesDistinctPlatesAndVariedRecordsTheCameraTakes) {
  const auto records = MakeSeedWhitelist(5000, 1);
  ASSERT_EQ(records.size(), 5000u);
  std::set<std::string> plates;
  std::set<std::size_t> plateLengths;
  int schedules = 0;
  int fullWeeks = 0;
  int withoutCreateTime = 0;
  int withoutExpiry = 0;
  for (const auto& record : records) {
    ASSERT_TRUE(camera::protocol::IsWellFormed(record));
    plates.emplace(FieldText(record.plate));
    plateLengths.insert(FieldText(record.plate).size());
    if (record.useTimeSegments != 0) {
      ++schedules;
      EXPECT_EQ(record.segments.enabled, 1);
      EXPECT_GE(EnabledSegments(record.segments), 1);
    }
    if (EnabledSegments(record.segments) == 8 && record.segments.entries[7].days[0] != 0) ++fullWeeks;
    withoutCreateTime += record.createTimeSet == 0 ? 1 : 0;
    withoutExpiry += record.expiryTimeSet == 0 ? 1 : 0;
    if (record.createTimeSet != 0) {
      EXPECT_GE(record.createTime[1], 1);
      EXPECT_LE(record.createTime[1], 12);
      EXPECT_GE(record.createTime[2], 1);
      EXPECT_LE(record.createTime[2], 28);
    }
  }
  EXPECT_EQ(plates.size(), records.size());
  EXPECT_EQ(plateLengths, (std::set<std::size_t>{8, 9}));  // province (2 bytes), letter, 5 or 6 more
  EXPECT_GT(schedules, 1000);
  EXPECT_GT(fullWeeks, 100);
  EXPECT_GT(withoutCreateTime, 0);
  EXPECT_GT(withoutExpiry, 0);

  WhitelistStore store;
  EXPECT_EQ(store.Import(records), WhitelistStore::Result::Ok);
  EXPECT_EQ(store.Size(), records.size());
}

class SeedPlateRecordsTest : public SimulatorFixture {};

TEST_F(SeedPlateRecordsTest, FilesReadingsWithPicturesBetweenMidnightAndNow) {
  Advance(std::chrono::hours(7));  // 15:00 on the virtual clock
  auto camera = AddCamera();
  ASSERT_TRUE(camera);
  SeedPlateRecords(*camera, 45, 3);
  const os::LocalTime now = camera->LocalNow();
  camera->With([&](CameraState& state) {
    ASSERT_EQ(state.plates.Size(), 45u);
    int hidden = 0;
    long previous = -1;
    for (const PlateRecord& record : state.plates.Records()) {
      const auto& result = record.result;
      EXPECT_EQ(result.year, now.year);
      EXPECT_EQ(result.month, now.month);
      EXPECT_EQ(result.day, now.day);
      const long second = result.hour * 3600L + result.minute * 60L + result.second;
      EXPECT_LT(second, now.hour * 3600L + now.minute * 60L + now.second);
      EXPECT_GE(second, previous);
      previous = second;
      hidden += result.plate[15] != '\0' ? 1 : 0;
      ASSERT_TRUE(record.jpeg);
      EXPECT_GT(record.jpeg->size(), 1000u);
      EXPECT_EQ(state.plates.Image(result.recordId), record.jpeg);
    }
    EXPECT_EQ(hidden, 6);
  });
}

}  // namespace
}  // namespace camsim::test
