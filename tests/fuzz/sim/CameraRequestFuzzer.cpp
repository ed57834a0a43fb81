// Feeds arbitrary bytes to the simulated camera as a client's request stream: the frame decoder,
// the checks before each operation and every operation's payload decoding and state change.
// The first byte picks the camera and connection: bit 0 logged in, bit 1 encryption mode 2,
// bit 2 second login done, bits 3-4 hardware type (0, 2, 3), bit 5 a fixed-focus model.

#include <cstddef>
#include <cstdint>
#include <span>

#include <boost/asio/io_context.hpp>

#include "platform/camera/protocol/Frame.h"
#include "platform/os/Clock.h"
#include "sim/SimCamera.h"

namespace {

struct Harness {
  os::VirtualClock clock;
  boost::asio::io_context io;
  camsim::Scheduler scheduler{clock};
};

camsim::CameraProfile ProfileOf(std::uint8_t choice) {
  static constexpr int kHardwareTypes[] = {0, 2, 3, 0};
  camsim::CameraProfile profile;
  profile.ip = "127.0.99.1";
  profile.encryptMode = (choice & 2) != 0 ? 2 : 0;
  profile.hardwareType = kHardwareTypes[(choice >> 3) & 3];
  profile.modelId = (choice & 32) != 0 ? 0x3085 : camsim::kZoomModelId;
  return profile;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness harness;
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  // Never started: it binds nothing, and reboots or moves only change its state.
  auto camera = std::make_shared<camsim::SimCamera>(harness.io, harness.scheduler, ProfileOf(choice),
                                                    camsim::SimCamera::Timing{}, 16);
  camsim::SessionState session;
  session.connection = camera->NewConnectionNumber();
  session.loggedIn = (choice & 1) != 0;
  session.secondLogin = (choice & 4) != 0;

  camera::protocol::FrameDecoder decoder(camera::protocol::Receiver::Camera);
  if (!decoder.Feed(std::span<const std::uint8_t>(data + 1, size - 1))) return 0;
  while (auto frame = decoder.Next()) {
    camera->Handle(session, frame->header.operation, frame->payload);
  }
  camera->Stop();
  return 0;
}
