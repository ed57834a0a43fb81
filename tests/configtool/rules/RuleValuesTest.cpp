// The values around the shapes: thousandths, default placements, typed numbers and the records'
// names and kept bytes.

#include <gtest/gtest.h>

#include <cstring>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/RuleCoordinates.h"
#include "configtool/features/rules/RuleDefaults.h"
#include "configtool/features/rules/RuleRecords.h"
#include "configtool/features/rules/WholeDecimal.h"

namespace {

TEST(RuleValuesTest, ThousandthsTruncateTowardZero) {
  EXPECT_EQ(ToThousandths(400, 800), 500);
  EXPECT_EQ(ToThousandths(799, 800), 998);
  EXPECT_EQ(ToThousandths(-1, 800), -1);
  EXPECT_EQ(ToThousandths(5, 0), 0);
}

TEST(RuleValuesTest, VerticesFromTheCameraStayInsideThePicture) {
  GraphObjectManager& manager = GraphObjectManager::Instance();
  manager.Clear();
  manager.SetSizes(800, 450, 800, 450);
  struct Case {
    CameraClientPoint camera;
    GraphPoint pixels;
  };
  const Case cases[] = {
      {{500, 500}, {400, 225}},    {{0, 0}, {0, 0}},
      {{1000, 1000}, {798, 448}},  {{1500, -20}, {798, 0}},
      {{2147483647, 7}, {798, 3}}, {{-2147483647 - 1, 999}, {0, 448}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromThousandths(c.camera, manager), c.pixels) << c.camera.x << "," << c.camera.y;
  }
  // There and back in thousandths.
  const CameraClientPoint back = ToThousandths(GraphPoint{400, 225}, manager);
  EXPECT_EQ(back.x, 500);
  EXPECT_EQ(back.y, 500);
}

TEST(RuleValuesTest, TheDefaultLoopLiesInTheLowerPartOfThePicture) {
  EXPECT_EQ(DefaultLoopVertices(800, 450),
            (std::array<GraphPoint, 4>{GraphPoint{117, 330}, {683, 330}, {780, 385}, {20, 385}}));
  EXPECT_EQ(DefaultLoopVertices(4000, 3000),
            (std::array<GraphPoint, 4>{GraphPoint{586, 2197}, {3414, 2197}, {3902, 2563}, {98, 2563}}));
}

TEST(RuleValuesTest, TheDefaultRegionIsPlacedInPicturePixels) {
  EXPECT_EQ(DefaultRegionVertices(640, 360, 640, 360),
            (std::array<GraphPoint, 4>{GraphPoint{60, 60}, {580, 60}, {630, 350}, {10, 350}}));
  // Before the first frame the picture is 4000 x 3000 behind an 800 x 450 view.
  EXPECT_EQ(DefaultRegionVertices(800, 450, 4000, 3000),
            (std::array<GraphPoint, 4>{GraphPoint{300, 400}, {3700, 400}, {3950, 2933}, {50, 2933}}));
  // A view larger than the picture it shows stretched.
  EXPECT_EQ(DefaultRegionVertices(2400, 1600, 1920, 1280),
            (std::array<GraphPoint, 4>{GraphPoint{48, 48}, {1872, 48}, {1912, 1272}, {8, 1272}}));
}

TEST(RuleValuesTest, OnlyWholeDecimalNumbersAreRead) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"45", 45},
      {"600", 600},
      {" 80 ", 80},
      {"-1", -1},
      {"+7", 7},
      {"0", 0},
      {"abc", std::nullopt},
      {"1x", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"+-5", std::nullopt},
      {"4 5", std::nullopt},
      {"99999999999", std::nullopt},
      {"-", std::nullopt},
      {"2147483647", 2147483647},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWholeDecimal(c.text), c.value) << '"' << c.text << '"';
}

TEST(RuleValuesTest, TheLoopNameIsCutOnACharacterBoundary) {
  CameraClientPolygonRule entry{};
  std::memset(entry.name, 'x', sizeof(entry.name));
  // 30 ASCII bytes then a double-byte character: 32 bytes, cut before the character.
  StoreLoopName(entry, std::string(30, 'a') + "线");
  EXPECT_EQ(LoopNameOf(entry), std::string(30, 'a'));
  EXPECT_EQ(entry.name[30], '\0');
  EXPECT_EQ(entry.name[31], '\0');
  StoreLoopName(entry, std::string(40, 'b'));
  EXPECT_EQ(LoopNameOf(entry), std::string(31, 'b'));
  // A full field from the camera (no terminator) is read to its end, not beyond.
  std::memset(entry.name, 'c', sizeof(entry.name));
  EXPECT_EQ(LoopNameOf(entry), std::string(32, 'c'));
}

TEST(RuleValuesTest, TheCamerasOwnBytesSurviveTheEditorsFields) {
  CameraClientPolygonRules camera;
  std::memset(&camera, 0x77, sizeof(camera));
  CameraClientPolygonRules ours{};
  ours.count = 1;
  ours.rule.enable = 1;
  ours.rule.points[3] = CameraClientPoint{10, 20};
  ours.rule.minWidth = 45;
  KeepCameraBytes(ours, camera);
  EXPECT_EQ(ours.count, 1u);
  EXPECT_EQ(ours.rule.enable, 1);
  EXPECT_EQ(ours.rule.points[3].y, 20);
  EXPECT_EQ(ours.rule.minWidth, 45);
  EXPECT_EQ(ours.rule.id, 0x77);
  EXPECT_EQ(ours.rule.reserved36, 0x77777777);
  EXPECT_EQ(ours.reserved156[519], 0x77);

  CameraClientRegion cameraRegion;
  std::memset(&cameraRegion, 0x33, sizeof(cameraRegion));
  CameraClientRegion region{};
  region.uNumVertex = 4;
  KeepCameraBytes(region, cameraRegion);
  EXPECT_EQ(region.uNumVertex, 4u);
  EXPECT_EQ(region.byEnable, 0);
  EXPECT_EQ(region.reserved0, 0x33);
  EXPECT_EQ(region.reserved3[32], 0x33);
  EXPECT_EQ(region.vertices[11].x, 0);
}

}  // namespace
