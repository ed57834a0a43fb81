#include "configtool/features/rules/RuleRecords.h"

#include <cstring>

#include "common/FixedText.h"
#include "platform/os/Charset.h"

std::string LoopNameOf(const CameraClientPolygonRule& entry) {
  const std::string stored = FieldText(entry.name);
  return stored.substr(0, os::GbkPrefixLength(stored, stored.size()));
}

void StoreLoopName(CameraClientPolygonRule& entry, const std::string& name) {
  CopyToField(entry.name, name.substr(0, os::GbkPrefixLength(name, sizeof(entry.name) - 1)));
}

void KeepCameraBytes(CameraClientPolygonRules& ours, const CameraClientPolygonRules& camera) {
  CameraClientPolygonRules merged = camera;
  merged.count = ours.count;
  merged.rule.enable = ours.rule.enable;
  merged.rule.draw = ours.rule.draw;
  std::memcpy(merged.rule.name, ours.rule.name, sizeof(merged.rule.name));
  std::memcpy(merged.rule.points, ours.rule.points, sizeof(merged.rule.points));
  merged.rule.direction = ours.rule.direction;
  merged.rule.interval = ours.rule.interval;
  merged.rule.maxWidth = ours.rule.maxWidth;
  merged.rule.minWidth = ours.rule.minWidth;
  ours = merged;
}

void KeepCameraBytes(CameraClientRegion& ours, const CameraClientRegion& camera) {
  CameraClientRegion merged = camera;
  merged.byEnable = ours.byEnable;
  merged.byDraw = ours.byDraw;
  merged.uNumVertex = ours.uNumVertex;
  std::memcpy(merged.vertices, ours.vertices, sizeof(merged.vertices));
  ours = merged;
}
