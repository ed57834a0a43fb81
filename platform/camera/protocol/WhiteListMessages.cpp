#include "platform/camera/protocol/WhiteListMessages.h"

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

std::vector<std::uint8_t> WhiteListText::Encode() const { return PayloadWriter().Text(text).Take(); }

std::optional<WhiteListText> WhiteListText::Decode(std::span<const std::uint8_t> payload, std::size_t maxBytes) {
  PayloadReader reader(payload);
  WhiteListText request;
  request.text = reader.Text(maxBytes);
  if (!reader.Done()) return std::nullopt;
  return request;
}

std::vector<std::uint8_t> WhiteListPageRequest::Encode() const {
  return PayloadWriter().Text(filter).I32(first).I32(count).Take();
}

std::optional<WhiteListPageRequest> WhiteListPageRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  WhiteListPageRequest request;
  request.filter = reader.Text(kWhiteListFilterBytes);
  request.first = reader.I32();
  request.count = reader.I32();
  if (!reader.Done() || request.first < 0 || request.count < 1 ||
      static_cast<std::uint32_t>(request.count) > kMaxWhiteListPageRows) {
    return std::nullopt;
  }
  return request;
}

std::vector<std::uint8_t> EncodeWhiteListRecords(std::span<const CameraClientWhiteListRecord> records) {
  PayloadWriter writer;
  writer.U32(static_cast<std::uint32_t>(records.size()));
  for (const auto& record : records) writer.Put(record);
  return writer.Take();
}

std::optional<std::vector<CameraClientWhiteListRecord>> DecodeWhiteListRecords(std::span<const std::uint8_t> payload,
                                                                              std::uint32_t minCount,
                                                                              std::uint32_t maxCount) {
  PayloadReader reader(payload);
  const std::uint32_t count = reader.U32();
  if (!reader.Ok() || count < minCount || count > maxCount ||
      reader.Remaining() != static_cast<std::size_t>(count) * sizeof(CameraClientWhiteListRecord)) {
    return std::nullopt;
  }
  std::vector<CameraClientWhiteListRecord> records;
  records.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) records.push_back(reader.Get<CameraClientWhiteListRecord>());
  if (!reader.Done()) return std::nullopt;
  return records;
}

}  // namespace camera::protocol
