#include "configformat/SerialPushJson.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "common/DecimalText.h"
#include "common/FixedText.h"

namespace {

constexpr int kChecksumId = 19;
constexpr int kEncodeId = 20;
constexpr int kEndianId = 21;
constexpr int kSlotCount = static_cast<int>(std::extent_v<decltype(CameraClientSerialPush::fields)>);
constexpr int kVoiceCount = static_cast<int>(std::extent_v<decltype(CameraClientSerialPush::voices)>);

constexpr const char* kFieldNames[] = {
    "enable", "licensecolor", "license",  "licensetype", "confidence", "direction",  "rect",
    "trigger", "carcolor",    "time",     "duetime",     "wlresult",   "out",        "sn",
    "ciphertext", "id",       "checkbegin", "checkend",  "checksum",   "encode",     "edian"};

struct VoiceType {
  int type;
  const char* name;
};
constexpr VoiceType kVoiceTypes[] = {{1, "in"}, {2, "out"}, {3, "na"}, {4, "iw"}};
constexpr int kRemainVoiceType = 4;

bool IsScalar(const Json::Value& value) { return !value.isArray() && !value.isObject(); }

Json::Value SingleMember(const std::string& name, const Json::Value& value) {
  Json::Value element(Json::objectValue);
  element[name] = value;
  return element;
}

const char* VoiceTypeName(int type) {
  for (const VoiceType& voice : kVoiceTypes) {
    if (voice.type == type) return voice.name;
  }
  return nullptr;
}

int VoiceTypeFromName(const std::string& name) {
  for (const VoiceType& voice : kVoiceTypes) {
    if (name == voice.name) return voice.type;
  }
  return 1;
}

Json::Value FieldValue(const CameraClientPushField& field) {
  if (field.id == kChecksumId) return ChecksumName(field.value);
  if (field.id == kEndianId) return EndianName(field.value);
  return field.value;
}

std::int32_t FieldValueFromText(int id, const std::string& text) {
  if (id == kChecksumId) return ChecksumFromName(text);
  if (id == kEndianId) return EndianFromName(text);
  return static_cast<std::int32_t>(ParseDecimalText(text));
}

bool ReadVoiceEntry(const Json::Value& entry, const std::string& name, CameraClientPushVoice& voice) {
  if (!entry.isObject() && !entry.isNull()) return false;
  const Json::Value& incLicense = entry["inc_license"];
  const Json::Value& remain = entry["remain"];
  const Json::Value& prefix = entry["prefix"];
  const Json::Value& suffix = entry["suffix"];
  if (!incLicense.isConvertibleTo(Json::booleanValue) || !remain.isConvertibleTo(Json::intValue) ||
      !IsScalar(prefix) || !IsScalar(suffix)) {
    return false;
  }
  voice.type = VoiceTypeFromName(name);
  voice.incLicense = incLicense.asBool() ? 1 : 0;
  if (!remain.isNull()) voice.remain = remain.asInt();
  CopyToField(voice.prefix, prefix.asString());
  CopyToField(voice.suffix, suffix.asString());
  return true;
}

// One element: its members in byte order of their names, up to the first null one.
bool ReadPushElement(const Json::Value& element, const std::map<int, std::string>& names, int& nextSlot,
                     CameraClientSerialPush& push) {
  if (!element.isObject() && !element.isNull()) return false;
  for (const std::string& name : element.getMemberNames()) {
    const Json::Value& value = element[name];
    if (value.isNull()) return true;
    if (name == "voice") {
      push.voiceSwitch = 1;
      if (!PushVoiceFromJson(value, push)) return false;
      continue;
    }
    const int id = FindPushFieldId(name, names);
    const bool isText = name == "header" || name == "end";
    if (id < 0 && !isText) continue;
    if (!IsScalar(value)) return false;
    const std::string text = value.asString();
    if (id >= 0) {
      if (nextSlot >= kSlotCount) continue;
      push.fields[nextSlot].id = id;
      push.fields[nextSlot].value = FieldValueFromText(id, text);
      ++nextSlot;
    } else if (text.size() <= sizeof push.header) {
      CopyToField(name == "header" ? push.header : push.end, text);
    }
  }
  return true;
}

}  // namespace

void BuildPushFieldNames(std::map<int, std::string>& names) {
  for (int id = 1; id <= static_cast<int>(std::size(kFieldNames)); ++id) names[id] = kFieldNames[id - 1];
}

int FindPushFieldId(const std::string& name, const std::map<int, std::string>& names) {
  for (const auto& [id, text] : names) {
    if (text == name) return id;
  }
  return -1;
}

std::string ChecksumName(int checksum) {
  if (checksum == 1) return "sum";
  if (checksum == 2) return "xor";
  return "none";
}

std::string EndianName(int endian) { return endian == 1 ? "big" : "little"; }

int ChecksumFromName(const std::string& name) {
  if (name == "sum") return 1;
  if (name == "xor") return 2;
  return 0;
}

int EndianFromName(const std::string& name) { return name == "big" ? 1 : 0; }

void PushConfigToJson(const CameraClientSerialPush& push, Json::Value& array) {
  array.append(SingleMember("header", FieldText(push.header)));
  PushFieldsToJson(push, array, false);
  array.append(SingleMember("end", FieldText(push.end)));
  PushFieldsToJson(push, array, true);
  if (push.voiceSwitch != 0) PushVoiceToJson(push, array);
}

void PushFieldsToJson(const CameraClientSerialPush& push, Json::Value& array, bool secondGroup) {
  std::map<int, std::string> names;
  BuildPushFieldNames(names);
  for (const CameraClientPushField& field : push.fields) {
    if (field.id <= 0) continue;
    const bool inSecondGroup = field.id == kEncodeId || field.id == kEndianId;
    if (inSecondGroup != secondGroup) continue;
    // An id without a name cannot be read back, so it is not written.
    const auto name = names.find(field.id);
    if (name == names.end()) continue;
    array.append(SingleMember(name->second, FieldValue(field)));
  }
}

void PushVoiceToJson(const CameraClientSerialPush& push, Json::Value& array) {
  Json::Value voices(Json::objectValue);
  for (const CameraClientPushVoice& voice : push.voices) {
    const char* name = VoiceTypeName(voice.type);
    if (name == nullptr) continue;
    Json::Value entry(Json::objectValue);
    entry["prefix"] = FieldText(voice.prefix);
    entry["suffix"] = FieldText(voice.suffix);
    entry["inc_license"] = voice.incLicense != 0;
    if (voice.type == kRemainVoiceType) entry["remain"] = voice.remain;
    voices[name] = entry;
  }
  array.append(SingleMember("voice", voices));
}

bool PushConfigFromJson(const Json::Value& value, CameraClientSerialPush& push) {
  if (value.isNull()) return true;
  if (!value.isArray()) return false;
  std::map<int, std::string> names;
  BuildPushFieldNames(names);
  int nextSlot = 0;
  for (const Json::Value& element : value) {
    if (!ReadPushElement(element, names, nextSlot, push)) return false;
  }
  return true;
}

bool PushVoiceFromJson(const Json::Value& voice, CameraClientSerialPush& push) {
  if (!voice.isObject()) return false;
  int entry = 0;
  for (const std::string& name : voice.getMemberNames()) {
    if (entry >= kVoiceCount) break;
    if (!ReadVoiceEntry(voice[name], name, push.voices[entry])) return false;
    ++entry;
  }
  return true;
}

bool IsReadablePushConfig(const Json::Value& value) {
  CameraClientSerialPush scratch{};
  return PushConfigFromJson(value, scratch);
}
