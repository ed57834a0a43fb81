#include "configformat/StyledJsonText.h"

#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/writer.h>

namespace {

Json::Value Parse(const std::string& text) {
  Json::Value value;
  Json::Reader reader;
  EXPECT_TRUE(reader.parse(text, value, false)) << text;
  return value;
}

std::string StyledWriterText(const Json::Value& value) {
  Json::StyledWriter writer;
  return writer.write(value);
}

// The layout must be the styled writer's byte for byte wherever that writer is right (ASCII).
TEST(StyledJsonText, MatchesStyledWriterOnAsciiDocuments) {
  const char* const documents[] = {
      "null",
      "0",
      "-2147483648",
      "18446744073709551615",
      "-9223372036854775808",
      "1.5",
      "0.1",
      "1e300",
      "true",
      "\"text\"",
      "{}",
      "[]",
      "{\"a\":{}}",
      "{\"a\":[]}",
      "[[],{}]",
      "{\"b\":1,\"a\":2,\"B\":3,\"_\":4}",
      "{\"net_param\":{\"ip\":\"192.168.1.100\",\"port\":8080},\"real_show\":{\"szRealData\":\"000\"}}",
      "[1,2,3]",
      "[\"short\",\"array\"]",
      "[\"a rather long text element\",\"another rather long text element\",\"and a third\"]",
      "[0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25]",
      "[0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24]",
      "[{\"header\":\"\"},{\"license\":1},{\"end\":\"\"},{\"edian\":\"big\"}]",
      "{\"output_config\":null,\"region_param\":[{\"VertexIndex\":0,\"X_1000\":10}]}",
      "[[1,2],[3,[4,5]]]",
      "[[],[[]],{}]",
      "{\"x\":[{\"y\":[1,{\"z\":[]}]}]}",
      "\"quote \\\" backslash \\\\ slash / tab \\t newline \\n cr \\r bell \\u0007 esc \\u001b del \\u007f\"",
  };
  for (const char* document : documents) {
    const Json::Value value = Parse(document);
    EXPECT_EQ(StyledJsonText(value), StyledWriterText(value)) << document;
  }
}

TEST(StyledJsonText, MatchesStyledWriterOnEveryAsciiCharacter) {
  Json::Value value(Json::objectValue);
  for (int c = 1; c < 128; ++c) value[std::string("k") + static_cast<char>(c)] = std::string(3, static_cast<char>(c));
  EXPECT_EQ(StyledJsonText(value), StyledWriterText(value));
}

// Random ASCII documents of every shape the writer meets, including the array-layout limits.
Json::Value RandomValue(std::mt19937& random, int depth) {
  std::uniform_int_distribution<int> kind(0, depth > 3 ? 5 : 7);
  switch (kind(random)) {
    case 0: return Json::Value();
    case 1: return Json::Value(static_cast<Json::Int64>(random()) - Json::Int64{1} * (1 << 30) * 2);
    case 2: return Json::Value(static_cast<bool>(random() & 1));
    case 3: return Json::Value(static_cast<double>(random() % 100000) / 64.0);
    case 4: return Json::Value(Json::UInt64(random()) << 32);
    case 5: {
      std::string text(random() % 30, ' ');
      for (char& c : text) c = static_cast<char>(1 + random() % 127);
      return Json::Value(text);
    }
    case 6: {
      Json::Value array(Json::arrayValue);
      const int size = static_cast<int>(random() % 30);
      for (int i = 0; i < size; ++i) array.append(RandomValue(random, depth + 1));
      return array;
    }
    default: {
      Json::Value object(Json::objectValue);
      const int size = static_cast<int>(random() % 6);
      for (int i = 0; i < size; ++i) object["m" + std::to_string(random() % 50)] = RandomValue(random, depth + 1);
      return object;
    }
  }
}

TEST(StyledJsonText, MatchesStyledWriterOnRandomDocuments) {
  std::mt19937 random(20240601);
  for (int i = 0; i < 2000; ++i) {
    const Json::Value value = RandomValue(random, 0);
    ASSERT_EQ(StyledJsonText(value), StyledWriterText(value)) << "document " << i;
  }
}

TEST(StyledJsonText, WritesGbkBytesAsTheyAreAndReadsThemBack) {
  const std::string plate = "粤B12345";
  const std::string overlay = "收费站\xfe\x80";
  Json::Value value(Json::objectValue);
  value["osd_param"]["overlaytext"] = overlay;
  value["list"].append(plate);

  const std::string text = StyledJsonText(value);
  EXPECT_NE(text.find("\"" + overlay + "\""), std::string::npos);
  EXPECT_NE(text.find("\"" + plate + "\""), std::string::npos);
  EXPECT_EQ(text.find("\\u"), std::string::npos);

  const Json::Value back = Parse(text);
  EXPECT_EQ(back["osd_param"]["overlaytext"].asString(), overlay);
  EXPECT_EQ(back["list"][0].asString(), plate);
}

}  // namespace
