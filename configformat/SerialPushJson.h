#pragma once
// The serial push-format record in the configuration file: a JSON array of single-member
// objects, the header, the message's fields in slot order, the end, the encoding and byte-order
// fields, then the voice texts.

#include <map>
#include <string>

#include <json/value.h>

#include "cameraclient/CameraClient.h"

// Field id -> key name, the 21 fields a push message can carry.
void BuildPushFieldNames(std::map<int, std::string>& names);
// The first id, in id order, whose name equals `name` exactly; -1 when none does.
int FindPushFieldId(const std::string& name, const std::map<int, std::string>& names);

std::string ChecksumName(int checksum);
std::string EndianName(int endian);
int ChecksumFromName(const std::string& name);
int EndianFromName(const std::string& name);

// Appends the record's elements to `array`.
void PushConfigToJson(const CameraClientSerialPush& push, Json::Value& array);
// Appends the fields of the first group (every id but 20 and 21) or of the second (20 and 21).
void PushFieldsToJson(const CameraClientSerialPush& push, Json::Value& array, bool secondGroup);
// Appends {"voice": ...} with the entries in use.
void PushVoiceToJson(const CameraClientSerialPush& push, Json::Value& array);

// Fills a zeroed record from the array; null leaves it as it is. Field elements beyond the 22
// slots, voice members beyond the 4 entries and texts beyond their fields are cut. False for a
// value the record cannot be read from (not an array, an element or member of the wrong kind);
// the record may then be partly filled and must not be sent.
bool PushConfigFromJson(const Json::Value& value, CameraClientSerialPush& push);
// Fills the voice entries from the first on, one per member of `voice` in byte order of the
// names. False when a member has the wrong kind.
bool PushVoiceFromJson(const Json::Value& voice, CameraClientSerialPush& push);

// Whether PushConfigFromJson can read the value: the loader refuses a file whose section it cannot.
bool IsReadablePushConfig(const Json::Value& value);
