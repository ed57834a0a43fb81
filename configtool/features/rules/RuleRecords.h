#pragma once
// The editor's copies of the camera's loop and region records: the loop's name, and the bytes the
// editor never writes.

#include <string>

#include "cameraclient/CameraClient.h"

// The name as far as it holds whole characters.
std::string LoopNameOf(const CameraClientPolygonRule& entry);
// The name's first 31 bytes (never half a character), terminated, the rest of the field cleared.
void StoreLoopName(CameraClientPolygonRule& entry, const std::string& name);

// Takes over from `camera` every byte the editor does not write itself, so that a save keeps them.
void KeepCameraBytes(CameraClientPolygonRules& ours, const CameraClientPolygonRules& camera);
void KeepCameraBytes(CameraClientRegion& ours, const CameraClientRegion& camera);
