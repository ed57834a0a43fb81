// Configuration files from outside: the loader must refuse or split any text, and the appliers
// must write whatever it split into their fixed records without overrunning them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "batch/ConfigImport.h"
#include "batch/ConfigSections.h"
#include "tests/batch/fake/FakeCameraClient.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<ConfigSections> sections =
      ConfigSections::Parse(std::string(reinterpret_cast<const char*>(data), size));
  if (!sections) return 0;
  FakeCameraNetwork& network = FakeCameraNetwork::Instance();
  network.Reset();
  network.Add("127.0.10.1", 8080);
  auto device = std::make_shared<DeviceInfo>();
  device->SetIp("127.0.10.1");
  device->SetPort(8080);
  device->OpenDevice();
  RunConfigAppliers(RegisterAppliers(), *sections, device, NetParamUse::Apply, [](int) {});
  return 0;
}
