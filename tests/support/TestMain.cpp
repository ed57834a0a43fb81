// Test entry: refuses to run unless the environment keeps every probe and datagram on loopback.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

bool IsLoopbackHost(const std::string& host) { return host.rfind("127.", 0) == 0; }

// Each comma-separated entry (host or host:port) must be a loopback address.
bool AllLoopback(const char* list, bool allowEmpty) {
  std::string text(list);
  if (text.empty()) return allowEmpty;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(start, end - start);
    std::string host = entry.substr(0, entry.find(':'));
    if (!IsLoopbackHost(host)) return false;
    start = end + 1;
  }
  return true;
}

bool ListingOnly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ListingOnly(argc, argv)) {
    const char* targets = std::getenv("CAMERACLIENT_SEARCH_TARGETS");
    const char* addresses = std::getenv("LPR_LOCAL_ADDRESSES");
    if (targets == nullptr || addresses == nullptr || !AllLoopback(targets, false) ||
        !AllLoopback(addresses, true)) {
      std::fprintf(stderr,
                   "refusing to run: CAMERACLIENT_SEARCH_TARGETS and LPR_LOCAL_ADDRESSES must be set to "
                   "loopback addresses (run the tests through ctest)\n");
      return 2;
    }
  }
  testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
