#include "sim/CamsimOptions.h"

#include <gtest/gtest.h>

namespace camsim {
namespace {

TEST(CamsimOptions, ReadsEveryOption) {
  std::string error;
  const auto options = ParseCamsimOptions({"--cameras", "200", "--base", "127.0.10.1", "--port", "8081",
                                           "--plates-per-minute", "2.5", "--encrypted", "2,5", "--hardware-type", "3",
                                           "--model", "0x3045", "--firmware", "5.3.7.1", "--reboot-seconds", "5",
                                           "--update-seconds", "4", "--no-multicast", "--whitelist", "10000",
                                           "--plate-records", "45"},
                                          error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->cameras, 200u);
  EXPECT_EQ(options->port, 8081);
  EXPECT_DOUBLE_EQ(options->platesPerMinute, 2.5);
  EXPECT_EQ(options->encrypted, (std::set<std::size_t>{2, 5}));
  EXPECT_EQ(options->hardwareType, 3);
  EXPECT_EQ(options->modelId, 0x3045);
  EXPECT_EQ(options->firmwareVersion, (std::array<int, 4>{5, 3, 7, 1}));
  EXPECT_EQ(options->rebootSeconds, 5);
  EXPECT_EQ(options->updateSeconds, 4);
  EXPECT_FALSE(options->multicast);
  EXPECT_EQ(options->whitelist, 10000u);
  EXPECT_EQ(options->plateRecords, 45u);
}

TEST(CamsimOptions, RefusesBadValues) {
  const std::vector<std::vector<std::string>> bad = {
      {"--cameras", "0"},     {"--cameras", "ten"},        {"--base", "10.0.0.1"},     {"--port", "0"},
      {"--port", "70000"},    {"--plates-per-minute", "-1"}, {"--encrypted", "0"},      {"--encrypted", "1,,2"},
      {"--hardware-type", "1"}, {"--firmware", "1.2.3"},    {"--firmware", "1.2.3.4.5"}, {"--cameras"},
      {"--frobnicate", "1"},  {"--whitelist", "-1"},      {"--whitelist", "200001"}, {"--plate-records", "x"},
      {"--plate-records", "5001"}};
  for (const auto& arguments : bad) {
    std::string error;
    EXPECT_FALSE(ParseCamsimOptions(arguments, error)) << arguments[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace camsim
