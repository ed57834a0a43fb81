#include "configformat/SerialPushJson.h"

#include <cstring>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "configformat/StyledJsonText.h"

namespace {

Json::Value Parse(const std::string& text) {
  Json::Value value;
  Json::Reader reader;
  EXPECT_TRUE(reader.parse(text, value, false)) << text;
  return value;
}

Json::Value ToJson(const CameraClientSerialPush& push) {
  Json::Value array(Json::arrayValue);
  PushConfigToJson(push, array);
  return array;
}

CameraClientSerialPush FromJson(const std::string& text) {
  CameraClientSerialPush push{};
  EXPECT_TRUE(PushConfigFromJson(Parse(text), push)) << text;
  return push;
}


template <std::size_t N>
void SetText(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
}

TEST(SerialPushJson, FieldNameTableHoldsTheTwentyOneNames) {
  std::map<int, std::string> names;
  BuildPushFieldNames(names);
  const std::map<int, std::string> expected = {
      {1, "enable"},    {2, "licensecolor"}, {3, "license"},     {4, "licensetype"}, {5, "confidence"},
      {6, "direction"}, {7, "rect"},         {8, "trigger"},     {9, "carcolor"},    {10, "time"},
      {11, "duetime"},  {12, "wlresult"},    {13, "out"},        {14, "sn"},         {15, "ciphertext"},
      {16, "id"},       {17, "checkbegin"},  {18, "checkend"},   {19, "checksum"},   {20, "encode"},
      {21, "edian"}};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(FindPushFieldId("license", names), 3);
  EXPECT_EQ(FindPushFieldId("License", names), -1);
  EXPECT_EQ(FindPushFieldId("licens", names), -1);
  EXPECT_EQ(FindPushFieldId("", names), -1);
}

TEST(SerialPushJson, ValueNamesBothWays) {
  struct Case {
    int number;
    const char* checksum;
    const char* endian;
  };
  const Case cases[] = {{0, "none", "little"}, {1, "sum", "big"}, {2, "xor", "little"},
                        {7, "none", "little"}, {-1, "none", "little"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ChecksumName(c.number), c.checksum) << c.number;
    EXPECT_EQ(EndianName(c.number), c.endian) << c.number;
  }
  struct NameCase {
    const char* name;
    int checksum;
    int endian;
  };
  const NameCase names[] = {{"none", 0, 0}, {"sum", 1, 0}, {"xor", 2, 0}, {"XOR", 0, 0},
                            {"little", 0, 0}, {"big", 0, 1}, {"Big", 0, 0}, {"", 0, 0}};
  for (const NameCase& n : names) {
    EXPECT_EQ(ChecksumFromName(n.name), n.checksum) << n.name;
    EXPECT_EQ(EndianFromName(n.name), n.endian) << n.name;
  }
}

TEST(SerialPushJson, WritesHeaderFieldsEndSecondGroupThenVoice) {
  struct Case {
    const char* what;
    CameraClientSerialPush push;
    const char* json;
  };
  CameraClientSerialPush empty{};
  SetText(empty.header, "AA");
  SetText(empty.end, "BB");

  CameraClientSerialPush groups{};
  groups.fields[0] = {21, 1};
  groups.fields[1] = {5, 80};
  groups.fields[3] = {19, 7};
  groups.fields[4] = {20, 3};
  groups.fields[5] = {-2, 9};
  groups.fields[6] = {22, 4};

  CameraClientSerialPush voices{};
  voices.voiceSwitch = 1;
  voices.voices[0] = {4, 30, 1, {}, {}};
  SetText(voices.voices[0].prefix, "欢迎");
  voices.voices[1] = {2, 99, 0, {}, {}};
  SetText(voices.voices[1].suffix, "再见");
  voices.voices[2] = {9, 0, 0, {}, {}};

  CameraClientSerialPush voiceOff = voices;
  voiceOff.voiceSwitch = 0;

  const Case cases[] = {
      {"all slots empty, voice off", empty, R"([{"header":"AA"},{"end":"BB"}])"},
      {"second group after end, checksum named, unnamed ids dropped", groups,
       R"([{"header":""},{"confidence":80},{"checksum":"none"},{"end":""},{"edian":"big"},{"encode":3}])"},
      {"voice entries by type, remain only for iw", voices,
       R"([{"header":""},{"end":""},{"voice":{"iw":{"inc_license":true,"prefix":"欢迎","remain":30,"suffix":""},)"
       R"("out":{"inc_license":false,"prefix":"","suffix":"再见"}}}])"},
      {"voice switch off", voiceOff, R"([{"header":""},{"end":""}])"},
  };
  for (const Case& c : cases) EXPECT_EQ(StyledJsonText(ToJson(c.push)), StyledJsonText(Parse(c.json))) << c.what;
}

TEST(SerialPushJson, FullTextFieldsAreReadUpToTheirSize) {
  CameraClientSerialPush push{};
  std::memset(push.header, 'H', sizeof push.header);
  std::memset(push.end, 'E', sizeof push.end);
  push.voiceSwitch = 1;
  push.voices[0].type = 1;
  std::memset(push.voices[0].prefix, 'P', sizeof push.voices[0].prefix);
  std::memset(push.voices[0].suffix, 'S', sizeof push.voices[0].suffix);
  const Json::Value json = ToJson(push);
  EXPECT_EQ(json[0]["header"].asString(), std::string(64, 'H'));
  EXPECT_EQ(json[1]["end"].asString(), std::string(64, 'E'));
  EXPECT_EQ(json[2]["voice"]["in"]["prefix"].asString(), std::string(36, 'P'));
  EXPECT_EQ(json[2]["voice"]["in"]["suffix"].asString(), std::string(39, 'S'));
}

TEST(SerialPushJson, RoundTripKeepsSlotsInFileOrder) {
  CameraClientSerialPush push{};
  push.fields[0] = {21, 1};
  push.fields[1] = {5, 0};
  const CameraClientSerialPush back = FromJson(StyledJsonText(ToJson(push)));
  EXPECT_EQ(back.fields[0].id, 5);
  EXPECT_EQ(back.fields[0].value, 0);
  EXPECT_EQ(back.fields[1].id, 21);
  EXPECT_EQ(back.fields[1].value, 1);
  EXPECT_EQ(back.fields[2].id, 0);
}

TEST(SerialPushJson, RoundTripOfAFullRecordIsByteForByte) {
  CameraClientSerialPush push{};
  SetText(push.header, "头部\x02");
  SetText(push.end, "\x03尾");
  const int ids[] = {1, 3, 2, 19, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  int slot = 0;
  for (int id : ids) push.fields[slot++] = {id, id == 19 ? 2 : id * 10};
  push.fields[slot++] = {20, 1};
  push.fields[slot++] = {21, 1};
  push.voiceSwitch = 1;
  // Entries stored in the byte order of their names, as they read back.
  push.voices[0] = {1, 0, 1, {}, {}};
  push.voices[1] = {4, 12, 0, {}, {}};
  push.voices[2] = {3, 0, 1, {}, {}};
  push.voices[3] = {2, 0, 0, {}, {}};
  SetText(push.voices[0].prefix, "请进");
  SetText(push.voices[1].suffix, "剩余天数");
  SetText(push.voices[2].prefix, "未登记");
  SetText(push.voices[3].suffix, "一路顺风");

  const CameraClientSerialPush back = FromJson(StyledJsonText(ToJson(push)));
  EXPECT_EQ(std::memcmp(&back, &push, sizeof push), 0);
}

TEST(SerialPushJson, ReadsTheEdgesOfTheFileForm) {
  {
    const CameraClientSerialPush push = FromJson(R"([{"voice":{"in":{"prefix":"p"}}}])");
    EXPECT_EQ(push.voiceSwitch, 1);
    EXPECT_EQ(push.header[0], 0);
    EXPECT_EQ(push.voices[0].type, 1);
    EXPECT_EQ(std::string(push.voices[0].prefix), "p");
  }
  {
    const CameraClientSerialPush push = FromJson(R"([{"license":null},{"sn":5}])");
    EXPECT_EQ(push.fields[0].id, 14);
    EXPECT_EQ(push.fields[0].value, 5);
    EXPECT_EQ(push.fields[1].id, 0);
  }
  {
    // Members are taken in byte order of their names; a null one ends its element.
    const CameraClientSerialPush push = FromJson(R"([{"time":1,"license":2,"rect":null,"sn":4}])");
    EXPECT_EQ(push.fields[0].id, 3);
    EXPECT_EQ(push.fields[1].id, 0);
  }
  {
    const CameraClientSerialPush push = FromJson("[{\"header\":\"" + std::string(65, 'x') + "\"},{\"end\":\"" +
                                                 std::string(64, 'y') + "\"}]");
    EXPECT_EQ(push.header[0], 0);
    EXPECT_EQ(std::string(push.end, 64), std::string(64, 'y'));
  }
  {
    const CameraClientSerialPush push =
        FromJson(R"([{"checksum":"xor"},{"checksum":"XOR"},{"edian":"big"},{"license":"12"},{"trigger":true},)"
                 R"({"direction":""},{"confidence":-3},{"unknown":5}])");
    const int expected[][2] = {{19, 2}, {19, 0}, {21, 1}, {3, 12}, {8, 0}, {6, 0}, {5, -3}};
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(push.fields[i].id, expected[i][0]) << i;
      EXPECT_EQ(push.fields[i].value, expected[i][1]) << i;
    }
    EXPECT_EQ(push.fields[7].id, 0);
  }
  {
    const CameraClientSerialPush push = FromJson(R"([{"voice":{"zz":{"remain":7},"in":{"inc_license":1}}}])");
    EXPECT_EQ(push.voices[0].type, 1);
    EXPECT_EQ(push.voices[0].incLicense, 1);
    EXPECT_EQ(push.voices[0].remain, 0);
    EXPECT_EQ(push.voices[1].type, 1);
    EXPECT_EQ(push.voices[1].remain, 7);
  }
  {
    CameraClientSerialPush push{};
    push.header[0] = 'k';
    EXPECT_TRUE(PushConfigFromJson(Json::Value(), push));
    EXPECT_EQ(push.header[0], 'k');
  }
}

TEST(SerialPushJson, OverlongInputNeverOverrunsTheRecord) {
  std::string fields = "[";
  for (int i = 0; i < 40; ++i) fields += "{\"sn\":" + std::to_string(i) + "},";
  fields += R"({"voice":{"a":{},"b":{},"c":{},"d":{},"e":{},"in":{},"iw":{}}},)";
  fields += "{\"voice\":{\"in\":{\"prefix\":\"" + std::string(50, 'p') + "\",\"suffix\":\"" + "一二三四五六七八九十" +
            "一二三四五六七八九十" + "\"}}}]";
  const CameraClientSerialPush push = FromJson(fields);
  EXPECT_EQ(push.fields[21].id, 14);
  EXPECT_EQ(push.fields[21].value, 21);
  EXPECT_EQ(std::string(push.voices[0].prefix, 36), std::string(36, 'p'));
  // 39 bytes hold 19 two-byte characters; the twentieth is not split.
  EXPECT_EQ(std::string(push.voices[0].suffix, strnlen(push.voices[0].suffix, 39)),
            std::string("一二三四五六七八九十一二三四五六七八九"));
  EXPECT_EQ(push.voices[0].suffix[38], 0);
  EXPECT_EQ(push.voices[3].type, 1);
  EXPECT_EQ(push.voices[1].type, 1);
}

TEST(SerialPushJson, RefusesValuesOfTheWrongKind) {
  const char* const refused[] = {
      R"({"header":"x"})",
      "5",
      "\"text\"",
      "[5]",
      "[[1]]",
      R"([{"license":[1]}])",
      R"([{"header":{"a":1}}])",
      R"([{"voice":5}])",
      R"([{"voice":[]}])",
      R"([{"voice":{"in":5}}])",
      R"([{"voice":{"in":{"prefix":[1]}}}])",
      R"([{"voice":{"in":{"inc_license":"yes"}}}])",
      R"([{"voice":{"iw":{"remain":"7"}}}])",
      R"([{"voice":{"iw":{"remain":4294967296}}}])",
  };
  for (const char* text : refused) {
    CameraClientSerialPush push{};
    EXPECT_FALSE(PushConfigFromJson(Parse(text), push)) << text;
    EXPECT_FALSE(IsReadablePushConfig(Parse(text))) << text;
  }
  EXPECT_TRUE(IsReadablePushConfig(Parse(R"([{"unknown":[1]},{"voice":null},null,{}])")));
  EXPECT_TRUE(IsReadablePushConfig(Parse("[]")));
}

}  // namespace
