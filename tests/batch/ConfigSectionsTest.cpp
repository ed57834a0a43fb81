#include "batch/ConfigSections.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>
#include <json/reader.h>

#include "configformat/SerialPushJson.h"

namespace {

ConfigSections Parse(const std::string& text) {
  std::optional<ConfigSections> sections = ConfigSections::Parse(text);
  EXPECT_TRUE(sections) << text;
  return sections ? *sections : ConfigSections();
}

TEST(ConfigSections, FlattensNestedMembersUnderTheirBareNames) {
  const ConfigSections sections = Parse(R"({"base_param":{"drawMode":{"byDspAddRule":1,"uBitsRecType":9},)"
                                        R"("uBitsRecType":7,"uBitsTrigType":4294967295}})");
  EXPECT_EQ(sections.Value(FlatSection::Base, "byDspAddRule"), "1");
  // "drawMode" comes before "uBitsRecType" in byte order, so its nested value wins.
  EXPECT_EQ(sections.Value(FlatSection::Base, "uBitsRecType"), "9");
  EXPECT_EQ(sections.Value(FlatSection::Base, "uBitsTrigType"), "4294967295");
  EXPECT_EQ(sections.Value(FlatSection::Base, "drawMode"), "");
  EXPECT_EQ(sections.Size(FlatSection::Base), 3u);
}

TEST(ConfigSections, StoresEveryScalarAsText) {
  const ConfigSections sections =
      Parse(R"({"osd_param":{"a":true,"b":false,"c":-5,"d":"粤B","e":null,"f":1.5,"g":18446744073709551615}})");
  EXPECT_EQ(sections.Value(FlatSection::Osd, "a"), "true");
  EXPECT_EQ(sections.Value(FlatSection::Osd, "b"), "false");
  EXPECT_EQ(sections.Value(FlatSection::Osd, "c"), "-5");
  EXPECT_EQ(sections.Value(FlatSection::Osd, "d"), "粤B");
  EXPECT_EQ(sections.Value(FlatSection::Osd, "f"), "1.5");
  EXPECT_EQ(sections.Value(FlatSection::Osd, "g"), "18446744073709551615");
  EXPECT_EQ(sections.Size(FlatSection::Osd), 6u);
}

TEST(ConfigSections, ASectionThatIsNoObjectIsStoredUnderItsOwnKey) {
  const ConfigSections sections = Parse(R"({"real_show":"abc","ntp_param":7})");
  EXPECT_EQ(sections.Value(FlatSection::RealShow, "real_show"), "abc");
  EXPECT_EQ(sections.Value(FlatSection::RealShow, "szRealData"), "");
  EXPECT_EQ(sections.Value(FlatSection::Ntp, "ntp_param"), "7");
}

TEST(ConfigSections, FilesArrayElementsUnderTheirIndexMember) {
  const ConfigSections sections = Parse(R"({
    "region_param":[{"X_1000":10,"uNumVertex":2},{"X_1000":20,"Y_1000":5}],
    "serial_param":[{"port":1,"uBaudRate":9600},{"port":0,"uBaudRate":115200},{"port":1.7,"uParity":2}],
    "output_config":[{"eInputType":true,"switchout1":3},null,{"eInputType":-4}]})");
  // Both region elements lack "VertexIndex": filed under 0, the first value of each name stays.
  EXPECT_EQ(sections.Size(IndexedSection::Region), 1u);
  EXPECT_EQ(sections.Value(IndexedSection::Region, 0, "X_1000"), "10");
  EXPECT_EQ(sections.Value(IndexedSection::Region, 0, "Y_1000"), "5");
  EXPECT_EQ(sections.Value(IndexedSection::Region, 0, "uNumVertex"), "2");
  EXPECT_EQ(sections.Value(IndexedSection::Serial, 0, "uBaudRate"), "115200");
  EXPECT_EQ(sections.Value(IndexedSection::Serial, 1, "uBaudRate"), "9600");
  EXPECT_EQ(sections.Value(IndexedSection::Serial, 1, "uParity"), "2");
  EXPECT_EQ(sections.Value(IndexedSection::Serial, 2, "uBaudRate"), "");
  EXPECT_EQ(sections.Value(IndexedSection::Output, 1, "switchout1"), "3");
  EXPECT_EQ(sections.Value(IndexedSection::Output, -4, "eInputType"), "-4");
}

TEST(ConfigSections, EmptyOrMissingSectionsLeaveEmptyStores) {
  const char* const documents[] = {
      "null",
      "{}",
      R"({"serial_param":null,"region_param":[],"output_config":{"a":1},"base_param":null,"rs485_push_cfg":null})",
      R"({"unknown_section":[1,[2]],"net_param":{}})",
  };
  for (const char* document : documents) {
    const ConfigSections sections = Parse(document);
    for (FlatSection flat : {FlatSection::Base, FlatSection::Osd, FlatSection::Video, FlatSection::VirtualLoop,
                             FlatSection::Wlist, FlatSection::Net, FlatSection::Province, FlatSection::RealShow,
                             FlatSection::Ntp}) {
      EXPECT_EQ(sections.Size(flat), 0u) << document;
    }
    for (IndexedSection indexed : {IndexedSection::Output, IndexedSection::Serial, IndexedSection::Region}) {
      EXPECT_EQ(sections.Size(indexed), 0u) << document;
    }
    EXPECT_EQ(sections.PushText(), "") << document;
    EXPECT_FALSE(sections.HasNetAddress());
  }
}

TEST(ConfigSections, RefusesShapesTheStoresCannotHold) {
  const char* const refused[] = {
      "",
      "{",
      "[]",
      "5",
      "\"text\"",
      R"({"net_param":[1]})",
      R"({"base_param":{"drawMode":[1]}})",
      R"({"video_param":{"a":{"b":[]}}})",
      R"({"serial_param":[{"port":"0"}]})",
      R"({"serial_param":[{"port":4294967296}]})",
      R"({"region_param":[{"VertexIndex":{}}]})",
      R"({"region_param":[5]})",
      R"({"output_config":[{"eInputType":0,"switchout1":[1]}]})",
      R"({"rs485_push_cfg":{"header":"x"}})",
      R"({"rs485_push_cfg":[{"voice":5}]})",
  };
  for (const char* text : refused) EXPECT_FALSE(ConfigSections::Parse(text)) << text;

  std::string deep(5000, '[');
  EXPECT_FALSE(ConfigSections::Parse("{\"x\":" + deep + std::string(5000, ']') + "}"));
}

TEST(ConfigSections, KeepsThePushSectionAsStyledTextWithItsGbkBytes) {
  const ConfigSections sections =
      Parse(R"({"rs485_push_cfg":[{"header":"头"},{"license":1},{"end":"尾"},{"voice":{"in":{"prefix":"欢迎"}}}]})");
  EXPECT_EQ(sections.PushText(),
            "[\n   {\n      \"header\" : \"头\"\n   },\n   {\n      \"license\" : 1\n   },\n   {\n      \"end\" : \"尾\"\n"
            "   },\n   {\n      \"voice\" : {\n         \"in\" : {\n            \"prefix\" : \"欢迎\"\n         }\n"
            "      }\n   }\n]\n");
  Json::Value value;
  Json::Reader reader;
  ASSERT_TRUE(reader.parse(sections.PushText(), value));
  CameraClientSerialPush push{};
  ASSERT_TRUE(PushConfigFromJson(value, push));
  EXPECT_EQ(std::string(push.header), "头");
  EXPECT_EQ(std::string(push.voices[0].prefix), "欢迎");
  EXPECT_EQ(sections.Size(FlatSection::Base), 0u);
  // An empty array is still a section: the applier sends a clear record.
  EXPECT_EQ(Parse(R"({"rs485_push_cfg":[]})").PushText(), "[]\n");
}

TEST(ConfigSections, AsksTheNetworkQuestionOnlyForAnAddress) {
  EXPECT_TRUE(Parse(R"({"net_param":{"ip":"10.0.0.5"}})").HasNetAddress());
  EXPECT_FALSE(Parse(R"({"net_param":{"ip":""}})").HasNetAddress());
  EXPECT_FALSE(Parse(R"({"net_param":{"port":80}})").HasNetAddress());
}

}  // namespace
