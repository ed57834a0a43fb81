#include "batch/ConfigImport.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;

struct Recorded {
  std::vector<int> called;
  std::vector<int> percents;
};

// A table of thirteen appliers that record their call and answer from `results`.
ApplierTable RecordingTable(Recorded& recorded, const std::vector<int>& results) {
  ApplierTable table;
  for (int key = 0; key < 13; ++key) {
    table[key] = [&recorded, key, result = results[static_cast<std::size_t>(key)]](const ConfigSections&,
                                                                                  std::shared_ptr<DeviceInfo>) {
      recorded.called.push_back(key);
      return result;
    };
  }
  return table;
}

ConfigImportOutcome RunTable(Recorded& recorded, const std::vector<int>& results, NetParamUse netParam) {
  const ConfigSections sections;
  return RunConfigAppliers(RecordingTable(recorded, results), sections, std::make_shared<DeviceInfo>(), netParam,
                           [&](int percent) { recorded.percents.push_back(percent); });
}

// Each number's applier is the one of its section: on a camera that is not logged in, only that
// applier sends something (and fails); the others find their section empty.
TEST(ConfigImport, RegistersTheThirteenAppliersUnderTheirNumbers) {
  const char* const sectionOf[] = {
      R"({"base_param":{"uBitsRecType":1}})",    R"({"osd_param":{"dateFormat":1}})",
      R"({"output_config":[{"eInputType":0}]})", R"({"video_param":{"nSizeVal":1}})",
      R"({"virtual_loop":{"byDraw":1}})",        R"({"wlist_param":{"nWLEnable":1}})",
      R"({"net_param":{"ip":"10.0.0.1"}})",      R"({"serial_param":[{"port":0}]})",
      R"({"province_info":{"nCurrIndex":1}})",   R"({"rs485_push_cfg":[]})",
      R"({"real_show":{"szRealData":"1"}})",     R"({"ntp_param":{"ntp_enable":1}})",
      R"({"region_param":[{"VertexIndex":0}]})"};
  const ApplierTable table = RegisterAppliers();
  ASSERT_EQ(table.size(), 13u);
  auto device = std::make_shared<DeviceInfo>();
  for (int section = 0; section < 13; ++section) {
    const auto sections = ConfigSections::Parse(sectionOf[section]);
    ASSERT_TRUE(sections) << section;
    for (const auto& [key, applier] : table) {
      EXPECT_EQ(applier(*sections, device), key == section ? 0 : 2) << "applier " << key << ", section " << section;
    }
  }
}

TEST(ConfigImport, AFullRunStepsSevenPercentAndEndsAtAHundred) {
  Recorded recorded;
  const ConfigImportOutcome outcome = RunTable(recorded, std::vector<int>(13, 1), NetParamUse::Apply);
  EXPECT_EQ(outcome.lastResult, 1);
  EXPECT_TRUE(outcome.completed);
  EXPECT_THAT(recorded.called, ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));
  EXPECT_THAT(recorded.percents, ElementsAre(7, 14, 21, 28, 35, 42, 49, 56, 63, 70, 77, 84, 91, 100));
}

TEST(ConfigImport, ALeftOutNetworkStepCallsNothingButCounts) {
  Recorded recorded;
  std::vector<int> results(13, 2);
  const ConfigImportOutcome outcome = RunTable(recorded, results, NetParamUse::LeaveOut);
  EXPECT_EQ(outcome.lastResult, 1);
  EXPECT_TRUE(outcome.completed);
  EXPECT_THAT(recorded.called, ElementsAre(0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12));
  EXPECT_EQ(recorded.percents.size(), 14u);
}

TEST(ConfigImport, TheFirstFailureEndsTheRun) {
  struct Case {
    int failingKey;
    std::vector<int> called;
    std::vector<int> percents;
  };
  const Case cases[] = {
      {0, {0}, {}},
      {3, {0, 1, 2, 3}, {7, 14, 21}},
      {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {7, 14, 21, 28, 35, 42, 49, 56, 63, 70, 77, 84}},
  };
  for (const Case& c : cases) {
    Recorded recorded;
    std::vector<int> results(13, 1);
    results[static_cast<std::size_t>(c.failingKey)] = 0;
    const ConfigImportOutcome outcome = RunTable(recorded, results, NetParamUse::Apply);
    EXPECT_EQ(outcome.lastResult, 0) << c.failingKey;
    EXPECT_FALSE(outcome.completed) << c.failingKey;
    EXPECT_EQ(recorded.called, c.called) << c.failingKey;
    EXPECT_EQ(recorded.percents, c.percents) << c.failingKey;
  }
}

TEST(ConfigImport, OneAddressGoesToOneCameraOnly) {
  struct Case {
    bool agreed;
    std::size_t rows;
    NetParamUse use;
  };
  const Case cases[] = {{true, 1, NetParamUse::Apply},     {false, 1, NetParamUse::LeaveOut},
                        {true, 2, NetParamUse::LeaveOut},  {true, 30, NetParamUse::LeaveOut},
                        {true, 0, NetParamUse::LeaveOut},  {false, 3, NetParamUse::LeaveOut}};
  for (const Case& c : cases) EXPECT_EQ(ChooseNetParamUse(c.agreed, c.rows), c.use) << c.agreed << " " << c.rows;
}

}  // namespace
