#include "batch/VersionMap.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/os/Charset.h"
#include "tests/batch/support/TempFolder.h"
#include "tests/batch/fake/FakeCameraClient.h"

namespace {

// The fake library reads a test image as the version text it holds.
class VersionMapTest : public testing::Test {
 protected:
  void Image(const std::string& name, const std::string& version) { m_folder.Write(name, version); }
  VersionMap Scan() {
    VersionMap map;
    map.ScanFolder(m_folder.Path());
    return map;
  }
  std::string FileFor(const VersionMap& map, const std::string& key) {
    const std::optional<VersionEntry> entry = map.Find(key);
    return entry ? entry->fileName : "-";
  }

  TempFolder m_folder;
};

TEST_F(VersionMapTest, FilesEachImageUnderTheVersionsItServes) {
  Image("a.bin", "4.2.1.3");
  Image("b_from_50x.bin", "5.1.20.1");
  Image("c.bin", "5.1.7.2");
  Image("d.bin", "5.3.7.0");
  Image("e.BIN", "6.0.0.1");
  Image("notes.txt", "7.0.0.0");
  Image("broken.bin", "garbage");
  const VersionMap map = Scan();
  EXPECT_EQ(FileFor(map, "4.2.1"), "a.bin");
  EXPECT_EQ(FileFor(map, "5.0.6"), "b_from_50x.bin");
  EXPECT_EQ(FileFor(map, "5.1.20"), "-");
  EXPECT_EQ(FileFor(map, "5.1.6"), "c.bin");
  EXPECT_EQ(FileFor(map, "5.1.7"), "c.bin");
  EXPECT_EQ(FileFor(map, "5.3.6"), "d.bin");
  EXPECT_EQ(FileFor(map, "5.3.7"), "d.bin");
  EXPECT_EQ(FileFor(map, "6.0.0"), "e.BIN");
  EXPECT_EQ(FileFor(map, "7.0.0"), "-");
  EXPECT_EQ(map.Entries().size(), 7u);
  const VersionEntry entry = *map.Find("5.1.6");
  EXPECT_EQ(entry.version3, "5.1.7");
  EXPECT_EQ(entry.version4, "5.1.7.2");
}

TEST_F(VersionMapTest, TheNewestImageWinsComparedAsNumbers) {
  Image("x1.bin", "4.2.1.10");
  Image("x2.bin", "4.2.1.9");
  Image("y1.bin", "5.1.7.3");
  Image("y2.bin", "5.1.7.16");
  Image("z1.bin", "3.0.0.1");
  Image("z2.bin", "3.0.0.1");
  const VersionMap map = Scan();
  EXPECT_EQ(FileFor(map, "4.2.1"), "x1.bin");
  EXPECT_EQ(map.Find("4.2.1")->version4, "4.2.1.10");
  EXPECT_EQ(FileFor(map, "5.1.7"), "y2.bin");
  // Equal versions: the file read later (in name order) wins.
  EXPECT_EQ(FileFor(map, "3.0.0"), "z2.bin");
}

TEST_F(VersionMapTest, ThreePartTextIsTheLastFilesOwn) {
  VersionMap map;
  map.InsertVersion({"5.1.8", "5.1.8.0", "new.bin"}, "5.1.6");
  map.InsertVersion({"5.1.7", "5.1.7.5", "old.bin"}, "5.1.6");
  const VersionEntry entry = *map.Find("5.1.6");
  EXPECT_EQ(entry.fileName, "new.bin");
  EXPECT_EQ(entry.version4, "5.1.8.0");
  EXPECT_EQ(entry.version3, "5.1.7");
}

TEST_F(VersionMapTest, AnEmptyOrMissingFolderLeavesTheMapEmpty) {
  VersionMap map;
  map.InsertVersion({"1.0.0", "1.0.0.0", "old.bin"}, "1.0.0");
  map.ScanFolder(m_folder.Path());
  EXPECT_TRUE(map.Entries().empty());
  map.ScanFolder(m_folder.Path("missing"));
  EXPECT_TRUE(map.Entries().empty());
}

TEST_F(VersionMapTest, TheProgramReadsTheVersionFolderOfTheCurrentDirectory) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::create_directory(m_folder.Path("version"));
  m_folder.Write("version/镜像.bin", "2.0.0.0");
  std::filesystem::current_path(os::GbkToUtf8(m_folder.Path()));
  EXPECT_EQ(GetVersionFolder(), m_folder.Path() + "/version");
  ScanVersionFolder();
  std::filesystem::current_path(before);
  EXPECT_EQ(FileFor(GetVersionMap(), "2.0.0"), "镜像.bin");
}

}  // namespace
