#include "configtool/PlateImagePath.h"

#include <gtest/gtest.h>

namespace {

const os::LocalTime kTime{2026, 3, 7, 9, 5, 4, 7, 6};

TEST(PlateImagePath, KeepsOutsideTextsToOneName) {
  const std::pair<std::string, std::string> cases[] = {
      {"192.168.1.10", "192.168.1.10"},
      {"a/b", "a_b"},
      {"..", "__"},
      {".", "_"},
      {"../../etc", ".._.._etc"},
      {"a\\b", "a_b"},
      // A double-byte character whose second byte is 0x5C stays as it is.
      {"\x81\x5C" "1", "\x81\x5C" "1"},
      // A lead byte followed by a separator is no character: the separator still goes.
      {"\x81/x", "\x81_x"},
      {"\xFE..\x81/..", "\xFE..\x81_.."},
      {"", ""},
  };
  for (const auto& [text, safe] : cases) EXPECT_EQ(SafePathComponent(text), safe) << text;
}

TEST(PlateImagePath, FoldersGoByDateIpAndTrigger) {
  const std::vector<std::string> folders = PlateImageFolders("/app", kTime, "192.168.1.10", 3);
  const std::vector<std::string> expected = {"/app/PlateImgs", "/app/PlateImgs/2026-03-07",
                                             "/app/PlateImgs/2026-03-07/192.168.1.10",
                                             "/app/PlateImgs/2026-03-07/192.168.1.10/3"};
  EXPECT_EQ(folders, expected);
}

TEST(PlateImagePath, AnIpTextCannotLeaveTheTree) {
  EXPECT_EQ(PlateImageFolders("/app", kTime, "../..", 1).back(), "/app/PlateImgs/2026-03-07/.._../1");
  EXPECT_EQ(PlateImageFolders("/app", kTime, "", 1).back(), "/app/PlateImgs/2026-03-07/1");
}

TEST(PlateImagePath, NamesThePictureByTimeAndPlate) {
  EXPECT_EQ(PlateImageFilePath("/f", kTime, std::string("京A12345")), "/f/090504007_京A12345_clip.jpg");
  EXPECT_EQ(PlateImageFilePath("/f", kTime, std::nullopt), "/f/090504007_clip.jpg");
  EXPECT_EQ(PlateImageFilePath("/f", kTime, std::string("A/../B")), "/f/090504007_A_.._B_clip.jpg");
}

}  // namespace
