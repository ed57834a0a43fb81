#include "batch/ConfigFile.h"
#include "batch/ConfigFileText.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/os/Charset.h"
#include "tests/batch/support/TempFolder.h"

namespace {

TEST(ConfigFile, LoadReplacesEverythingAndAFailedLoadLeavesNothing) {
  TempFolder folder;
  const std::string withRegion = folder.Write("a.json", R"({"region_param":[{"VertexIndex":0,"uNumVertex":1}]})");
  const std::string withoutRegion = folder.Write("b.json", R"({"ntp_param":{"ntp_enable":1}})");
  const std::string malformed = folder.Write("c.json", R"({"ntp_param":)");
  const std::string nullDocument = folder.Write("d.json", "null");

  ConfigFile file;
  EXPECT_FALSE(file.IsLoaded());
  EXPECT_EQ(file.Sections()->Size(IndexedSection::Region), 0u);

  file.Load(withRegion);
  EXPECT_TRUE(file.IsLoaded());
  const std::shared_ptr<const ConfigSections> first = file.Sections();
  EXPECT_EQ(first->Size(IndexedSection::Region), 1u);

  file.Load(withoutRegion);
  EXPECT_TRUE(file.IsLoaded());
  EXPECT_EQ(file.Sections()->Size(IndexedSection::Region), 0u);
  EXPECT_EQ(file.Sections()->Value(FlatSection::Ntp, "ntp_enable"), "1");
  // An import that took the first file's sections keeps them.
  EXPECT_EQ(first->Size(IndexedSection::Region), 1u);

  file.Load(malformed);
  EXPECT_FALSE(file.IsLoaded());
  EXPECT_EQ(file.Sections()->Size(FlatSection::Ntp), 0u);

  file.Load(nullDocument);
  EXPECT_TRUE(file.IsLoaded());

  file.Load(folder.Path("missing.json"));
  EXPECT_FALSE(file.IsLoaded());
}

// Import workers read the sections while the operator picks another file on the window thread.
TEST(ConfigFile, AReloadNeverChangesTheSectionsAnImportHolds) {
  TempFolder folder;
  const std::string first = folder.Write("1.json", R"({"real_show":{"szRealData":"first"}})");
  const std::string second = folder.Write("2.json", R"({"real_show":{"szRealData":"second"},"ntp_param":{"a":1}})");
  ConfigFile file;
  file.Load(first);
  std::atomic<bool> stop{false};
  std::atomic<int> mixed{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < 4; ++i) {
    workers.emplace_back([&] {
      while (!stop) {
        const std::shared_ptr<const ConfigSections> sections = file.Sections();
        const std::string text = sections->Value(FlatSection::RealShow, "szRealData");
        const bool hasNtp = sections->Size(FlatSection::Ntp) != 0;
        // A load in progress shows empty sections; a finished one shows one whole file.
        if (!text.empty() && (text == "second") != hasNtp) ++mixed;
      }
    });
  }
  for (int i = 0; i < 200; ++i) file.Load(i % 2 ? first : second);
  stop = true;
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(mixed, 0);
}

TEST(ConfigFileText, Utf8IsReadAsGbkAndGbkAsItIs) {
  const std::string utf8 = os::GbkToUtf8("出口B");
  struct Case {
    std::string bytes;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {"出口B", "出口B"},                       // what the tool writes
      {"{\"a\":1}", "{\"a\":1}"},                   // ASCII
      {utf8, "出口B"},                          // an editor's UTF-8
      {"\xEF\xBB\xBF" + utf8, "出口B"},          // with a byte-order mark
      {"\xEF\xBB\xBF{}", "{}"},                  // a mark before ASCII
      {"\xEF\xBB\xBF\xB3\xF6", std::nullopt},   // a mark before what is no UTF-8
      {utf8 + "\xF0\x9F\x98\x80", std::nullopt},  // a character GBK does not hold
      {"\xED\xA0\x80", "\xED\xA0\x80"},          // a surrogate is no UTF-8: read as GBK
  };
  for (const Case& c : cases) EXPECT_EQ(ConfigTextAsGbk(c.bytes), c.text) << os::GbkToUtf8(c.bytes);
}

TEST(ConfigFile, TheProgramHasOneFile) {
  EXPECT_EQ(&GetConfigFile(), &GetConfigFile());
  TempFolder folder;
  LoadConfigFile(folder.Write("one.json", R"({"real_show":{"szRealData":"123"}})"));
  EXPECT_TRUE(GetConfigFile().IsLoaded());
  EXPECT_EQ(GetConfigFile().Sections()->Value(FlatSection::RealShow, "szRealData"), "123");
}

}  // namespace
