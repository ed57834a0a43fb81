#pragma once
// Bounds of the variable parts of the protocol (see PROTOCOL.md). Both ends refuse more.

#include <cstddef>
#include <cstdint>

namespace camera::protocol {

inline constexpr std::uint32_t kMaxWhiteListPageRows = 1000;
inline constexpr std::uint32_t kMaxWhiteListImportRecords = 1000;
inline constexpr std::uint32_t kMaxPlateQueryPageRecords = 1000;
inline constexpr std::size_t kMaxClipBytes = 8u * 1024u * 1024u;
inline constexpr int kMaxVideoDimension = 4096;
inline constexpr std::size_t kMaxUpdateChunkBytes = 1024u * 1024u;
inline constexpr std::size_t kMaxSessionIdBytes = 255;
inline constexpr std::size_t kMaxNtpServerBytes = 16;
inline constexpr std::size_t kWhiteListFilterBytes = 127;  // CameraClientWhiteListKeyValue.value less its terminator
inline constexpr std::size_t kMaxPlateTextBytes = 31;      // CameraClientWhiteListRecord.plate less its terminator
inline constexpr std::size_t kMaxQueryPlateBytes = 63;     // the plate filter of a plate query
inline constexpr std::size_t kMaxQueryTimeBytes = 32;      // a valid query time has 19

}  // namespace camera::protocol
