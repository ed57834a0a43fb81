#include "platform/os/WinTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(WinTypesTest, PointsPackIntoLParamWithTheirSigns) {
  struct Case {
    int x;
    int y;
  };
  const Case cases[] = {{0, 0}, {10, 20}, {-5, 300}, {32767, -32768}, {-1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    const LPARAM lp = MAKELPARAM(c.x, c.y);
    EXPECT_EQ(GET_X_LPARAM(lp), c.x);
    EXPECT_EQ(GET_Y_LPARAM(lp), c.y);
  }
  EXPECT_EQ(LOWORD(0x12345678u), 0x5678);
  EXPECT_EQ(HIWORD(0x12345678u), 0x1234);
  EXPECT_EQ(RectWidth(RECT{10, 20, 110, 70}), 100);
  EXPECT_EQ(RectHeight(RECT{10, 20, 110, 70}), 50);
}

}  // namespace
