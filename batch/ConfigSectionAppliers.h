#pragma once
// The thirteen section appliers: each writes one section of a loaded configuration file into
// one camera and returns 1 (every Set call returned 0), 0 (a Set call failed) or 2 (the section
// is empty, nothing was sent). Each issues all of its Set calls even after one has failed.
//
// They run on import workers, several at once, each with its own device. They read only the
// sections they are given, which a later load of another file does not change.

#include <memory>

#include "batch/ConfigSections.h"
#include "batch/DeviceInfo.h"

int ApplyBaseParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyOsdParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyOutputConfig(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
// Branches on the device's hardware type: type 2 sets noise reduction, any other the flicker frequency.
int ApplyVideoParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
// Always sends one loop; the loop's shape stays as the camera reported it. When the camera's
// loops cannot be read, nothing is sent (0).
int ApplyVirtualLoop(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyWlistParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
// Sends nothing (0) unless ip, netmask and gateway are plain dotted quads (IsPlainDottedQuad) and
// the port is 1..65535.
// After a successful set the device is closed and opened again under the file's address; the
// appliers after it work on the new handle (0 when the reopening failed).
int ApplyNetParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
// Sets both ports; a port without an element gets zeros.
int ApplySerialParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyProvinceInfo(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyPushConfig(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyRealShow(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
int ApplyNtpParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
// A vertex count below 0 or above the record's twelve sends nothing (0).
int ApplyRegionParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device);
