#include "batch/BatchOpratorBase.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(IpOrder, SortingPutsTextsWithoutFourPartsLastAscendingAndFirstDescending) {
  std::vector<std::string> ips{"10.0.0.20", "camera", "10.0.0.3", "10.0.0.100", "10.0.1"};
  const auto sorted = [&](bool ascending) {
    std::vector<std::string> copy = ips;
    std::stable_sort(copy.begin(), copy.end(), [ascending](const std::string& a, const std::string& b) {
      return CBatchOpratorBase::IpOrderLess(a, b, ascending);
    });
    return copy;
  };
  EXPECT_EQ(sorted(true), (std::vector<std::string>{"10.0.0.3", "10.0.0.20", "10.0.0.100", "camera", "10.0.1"}));
  EXPECT_EQ(sorted(false), (std::vector<std::string>{"camera", "10.0.1", "10.0.0.100", "10.0.0.20", "10.0.0.3"}));
}

}  // namespace
