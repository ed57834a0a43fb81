#include "tools/skinpack/SkinPackageWriter.h"
#include "tools/skinpack/SkinSourceFiles.h"
#include "tools/skinpack/ZipArchiveBuilder.h"

#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/SkinPackage.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;  // archive name -> content

std::vector<std::string> Names(const std::vector<SkinSourceFile>& files) {
  std::vector<std::string> names;
  for (const SkinSourceFile& file : files) names.push_back(file.archiveName);
  return names;
}

void WriteFiles(const TempFolder& root, const std::string& folder, const Files& files) {
  for (const auto& [name, content] : files) root.Write(folder + "/" + name, content);
}

// Every entry of a ZIP archive held in memory.
Files ReadArchive(const unsigned char* data, std::size_t size) {
  Files files;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
  zip_t* archive = source != nullptr ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
  zip_error_fini(&error);
  if (archive == nullptr) {
    zip_source_free(source);
    ADD_FAILURE() << "not a ZIP archive";
    return files;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string content(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    zip_fread(file, content.data(), stat.size);
    zip_fclose(file);
    files[stat.name] = content;
  }
  zip_close(archive);
  return files;
}

std::uint32_t BigEndianAt(const std::vector<unsigned char>& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) << 24 | static_cast<std::uint32_t>(bytes[offset + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 8 | bytes[offset + 3];
}

std::string Content(std::size_t size, char seed) {
  std::string content(size, '\0');
  for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(seed + i * 13);
  return content;
}

class SkinPackTest : public testing::Test {
 protected:
  std::vector<fs::path> Folders(std::initializer_list<const char*> names) const {
    std::vector<fs::path> folders;
    for (const char* name : names) folders.push_back(m_root.Path() / name);
    return folders;
  }

  TempFolder m_root;
};

TEST_F(SkinPackTest, CollectsNestedFilesOfEveryFolderSortedByName) {
  WriteFiles(m_root, "skin", {{"style.xml", "s"}, {"CMakeLists.txt", "c"}, {"img/a.png", "a"}, {"img/sub/CMakeLists.txt", "n"}});
  WriteFiles(m_root, "generated", {{"img/plate.png", "p"}, {"font.bmp", "f"}});
  std::string error;
  const auto files = CollectSkinSourceFiles(Folders({"skin", "generated"}), {"CMakeLists.txt"}, error);
  ASSERT_TRUE(files) << error;
  // Only the top-level build file is left out.
  EXPECT_EQ(Names(*files), (std::vector<std::string>{"font.bmp", "img/a.png", "img/plate.png", "img/sub/CMakeLists.txt", "style.xml"}));
  EXPECT_EQ(files->front().path, m_root.Path() / "generated" / "font.bmp");
}

TEST_F(SkinPackTest, RefusesFoldersThatCannotMakeAPackage) {
  WriteFiles(m_root, "one", {{"skin.xml", "1"}});
  WriteFiles(m_root, "two", {{"skin.xml", "2"}});
  WriteFiles(m_root, "build", {{"CMakeLists.txt", ""}});
  struct Case {
    const char* name;
    std::vector<fs::path> folders;
    std::string error;
  };
  const Case cases[] = {
      {"same name in two folders", Folders({"one", "two"}), "skin.xml is in more than one input folder"},
      {"missing folder", Folders({"one", "missing"}), "not a folder: " + (m_root.Path() / "missing").string()},
      {"nothing to pack", Folders({"build"}), "no files to pack"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(CollectSkinSourceFiles(c.folders, {"CMakeLists.txt"}, error)) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
  }
}

TEST_F(SkinPackTest, PackageLoadsBackIntoTheSameFiles) {
  const Files sources = {{"skin.xml", "<Window/>"}, {"style.xml", Content(5000, 'a')}, {"img/big.bmp", Content(70000, 'b')}};
  WriteFiles(m_root, "skin", sources);
  std::string error;
  const auto files = CollectSkinSourceFiles(Folders({"skin"}), {}, error);
  ASSERT_TRUE(files) << error;
  const auto archive = BuildZipArchive(*files, error);
  ASSERT_TRUE(archive) << error;
  const auto package = BuildSkinPackage(*archive, error);
  ASSERT_TRUE(package) << error;
  const fs::path output = m_root.Path() / "bin" / "skin.dll";
  ASSERT_TRUE(WriteSkinPackage(output, *package, error)) << error;
  EXPECT_FALSE(fs::exists(output.string() + ".partial"));

  std::uint32_t size = 0;
  testing::internal::CaptureStdout();
  const std::unique_ptr<unsigned char[]> payload(LoadSkinPackage(output.string(), size));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  ASSERT_NE(payload, nullptr);
  ASSERT_EQ(size, archive->size());
  EXPECT_EQ(ReadArchive(payload.get(), size), sources);
}

// The header and the inversion laid out as the format states, checked byte by byte.
TEST_F(SkinPackTest, PackageBytesFollowTheFormat) {
  std::vector<unsigned char> archive(2500);
  for (std::size_t i = 0; i < archive.size(); ++i) archive[i] = static_cast<unsigned char>(i * 7);
  std::string error;
  const auto package = BuildSkinPackage(archive, error);
  ASSERT_TRUE(package) << error;
  ASSERT_EQ(package->size(), 20 + archive.size());

  EXPECT_EQ(std::vector<unsigned char>(package->begin(), package->begin() + 4), (std::vector<unsigned char>{0x20, 0x11, 0x27, 0x05}));
  EXPECT_EQ(BigEndianAt(*package, 8), crc32(0L, archive.data(), static_cast<uInt>(archive.size())));
  EXPECT_EQ(BigEndianAt(*package, 12), archive.size());
  EXPECT_EQ(BigEndianAt(*package, 16), 0u);
  std::vector<unsigned char> header(package->begin(), package->begin() + 20);
  std::fill(header.begin() + 4, header.begin() + 8, 0);
  EXPECT_EQ(BigEndianAt(*package, 4), crc32(0L, header.data(), 20));

  for (std::size_t i = 0; i < archive.size(); ++i) {
    const bool inverted = i < 1024;  // block 0; block 1 and the partial block 2 are stored as they are
    ASSERT_EQ((*package)[20 + i], inverted ? static_cast<unsigned char>(~archive[i]) : archive[i]) << "byte " << i;
  }
}

TEST_F(SkinPackTest, FailedWriteLeavesNothingBehind) {
  const fs::path output = m_root.Path() / "skin.dll";
  fs::create_directories(output / "in-the-way");
  std::string error;
  EXPECT_FALSE(WriteSkinPackage(output, {1, 2, 3}, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(output.string() + ".partial"));
}

TEST_F(SkinPackTest, ToolPacksFoldersAndReportsErrors) {
  WriteFiles(m_root, "skin", {{"style.xml", "s"}, {"CMakeLists.txt", "c"}});
  WriteFiles(m_root, "generated", {{"img/plate.png", "p"}});
  WriteFiles(m_root, "clash", {{"style.xml", "again"}});
  const std::string output = m_root.File("bin/skin.dll");
  const auto run = [&](const std::vector<std::string>& arguments) {
    ChildProcess tool(SKINPACK_TOOL, arguments, {});
    return tool.Wait();
  };

  ASSERT_EQ(run({"--output", output, "--exclude", "CMakeLists.txt", m_root.File("skin"), m_root.File("generated")}), 0);
  std::uint32_t size = 0;
  testing::internal::CaptureStdout();
  const std::unique_ptr<unsigned char[]> payload(LoadSkinPackage(output, size));
  testing::internal::GetCapturedStdout();
  ASSERT_NE(payload, nullptr);
  EXPECT_EQ(ReadArchive(payload.get(), size), (Files{{"style.xml", "s"}, {"img/plate.png", "p"}}));

  EXPECT_EQ(run({"--output", output, m_root.File("skin"), m_root.File("clash")}), 1);
  EXPECT_EQ(run({"--output", output}), 2);
  EXPECT_EQ(run({m_root.File("skin")}), 2);
  EXPECT_EQ(run({"--output", output, "--bogus", m_root.File("skin")}), 2);
}

}  // namespace
