#pragma once
// One of the rule editor's two rules as the camera holds it: its record (as read, then as the
// operator changes it) and where it stands. A record that was never read from the camera is never
// sent; a shape drawn before the camera's record came goes over the bytes the camera holds, which
// are read just before.

#include "cameraclient/CameraClient.h"
#include "configtool/features/rules/RuleRecords.h"

template <typename Record>
struct RuleRecordState {
  Record record{};
  bool exists = false;   // its shape is on screen
  bool loaded = false;   // the record was read from the camera
  bool deleted = false;  // the operator deleted the shape since the record was read
};

template <typename Record>
using GetRuleRecord = int (*)(CameraClientHandle, Record*);
template <typename Record>
using SetRuleRecord = int (*)(CameraClientHandle, const Record*);

// Reads the camera's record into a zeroed temporary; false, and nothing changed, when that fails.
// A rule whose shape is on screen keeps its own fields and takes only the camera's other bytes.
template <typename Record>
bool ReadRuleRecord(CameraClientHandle handle, GetRuleRecord<Record> get, RuleRecordState<Record>& rule) {
  Record camera{};
  if (handle == 0 || get(handle, &camera) != 0) return false;
  rule.loaded = true;
  if (rule.exists) {
    KeepCameraBytes(rule.record, camera);
  } else {
    rule.record = camera;
    rule.deleted = false;
  }
  return true;
}

// Sends the rule, after `writeVertices` (record → whether the shape gave a ring) has put the
// shape's vertices in. A deleted shape goes as an empty record. True when the camera took it, and
// when there is nothing to send (never read, nothing drawn); false without a handle.
template <typename Record, typename WriteVertices>
bool SendRuleRecord(CameraClientHandle handle, GetRuleRecord<Record> get, SetRuleRecord<Record> set,
                    RuleRecordState<Record>& rule, WriteVertices writeVertices) {
  if (handle == 0) return false;
  if (!rule.loaded && !rule.exists) return true;
  if (!rule.loaded && !ReadRuleRecord(handle, get, rule)) return false;
  const bool written = rule.exists && writeVertices(rule.record);
  if (!written && rule.deleted) rule.record = Record{};
  return set(handle, &rule.record) == 0;
}
