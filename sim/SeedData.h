#pragma once
// Data a camera starts with for the demo and for outside checks (lpr-camsim --whitelist N and
// --plate-records N). Deterministic for a seed.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camsim {

class SimCamera;

// `count` whitelist records with distinct plates of every province (new-energy plates among
// them), varied create and expiry times, switches, colours, types and customer texts, and weekly
// schedules of one to eight segments on a third of them (every eighth of those a full week's).
std::vector<CameraClientWhiteListRecord> MakeSeedWhitelist(std::size_t count, std::uint64_t seed);

// Files `count` plate readings with their pictures in the camera's store, spread in time order
// between midnight and now of the camera's clock; every seventh plate is hidden.
void SeedPlateRecords(SimCamera& camera, std::size_t count, std::uint64_t seed);

}  // namespace camsim
