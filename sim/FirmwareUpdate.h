#pragma once
// A firmware update as the camera runs it: the image arrives in chunks from one connection, then
// the camera writes it (state 2) and verifies it (state 3), and ends done (1) or failed (4). The
// new version takes effect at the next reboot.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/camera/protocol/FirmwareImage.h"

namespace camsim {

class FirmwareUpdate {
 public:
  enum State : int { Idle = 0, Done = 1, Writing = 2, Verifying = 3, Failed = 4 };
  enum class Result { Ok, Busy, Invalid };
  using Owner = std::uint64_t;

  static constexpr std::size_t kMaxImageBytes =
      camera::protocol::kMaxFirmwareBodyBytes + camera::protocol::kFirmwareHeaderBytes;

  State Current() const { return m_state; }
  bool Receiving() const { return m_owner != 0; }
  bool Running() const { return m_state == Writing || m_state == Verifying; }

  // Starts receiving `bytes` bytes from `owner`. Busy while another upload or an update runs.
  Result Begin(Owner owner, std::uint32_t bytes);
  // The next chunk: `offset` must be the bytes received so far, and the chunk must fit.
  Result Data(Owner owner, std::uint32_t offset, std::span<const std::uint8_t> bytes);
  // All announced bytes received: the camera starts writing.
  Result Commit(Owner owner);
  // The owner's connection ended before its commit.
  void Abandon(Owner owner);

  // Steps of a running update, driven by the camera's clock.
  void StartVerifying();
  // Done when the image is valid and `refuse` is false; returns the image's version then.
  std::optional<camera::protocol::FirmwareVersion> Finish(bool refuse);
  // A reboot ends everything; the version of a finished update is the caller's to apply.
  void Reset();

 private:
  State m_state = Idle;
  Owner m_owner = 0;
  std::uint32_t m_announced = 0;
  std::vector<std::uint8_t> m_image;
};

}  // namespace camsim
