#include "platform/camera/protocol/PlateMessages.h"

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/QueryTime.h"

namespace camera::protocol {
namespace {

void PutQuery(PayloadWriter& writer, const PlateQuery& query) {
  writer.Text(query.start).Text(query.end).Text(query.plate);
}

PlateQuery ReadQuery(PayloadReader& reader) {
  PlateQuery query;
  query.start = reader.Text(kMaxQueryTimeBytes);
  query.end = reader.Text(kMaxQueryTimeBytes);
  query.plate = reader.Text(kMaxQueryPlateBytes);
  if (reader.Ok() && (!ParseQueryTime(query.start) || !ParseQueryTime(query.end))) reader.Fail();
  return query;
}

}  // namespace

std::vector<std::uint8_t> PlateEvent::Encode() const {
  PayloadWriter writer;
  writer.Put(result).U32(static_cast<std::uint32_t>(clip.size())).Bytes(clip);
  return writer.Take();
}

std::optional<PlateEvent> PlateEvent::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  PlateEvent event;
  event.result = reader.Get<CameraClientPlateResult>();
  const std::uint32_t clipBytes = reader.U32();
  if (!reader.Ok() || clipBytes > kMaxClipBytes || reader.Remaining() != clipBytes) return std::nullopt;
  const auto clip = reader.Bytes(clipBytes);
  event.clip.assign(clip.begin(), clip.end());
  if (!reader.Done()) return std::nullopt;
  return event;
}

std::vector<std::uint8_t> PlateQueryCountRequest::Encode() const {
  PayloadWriter writer;
  PutQuery(writer, query);
  return writer.Take();
}

std::optional<PlateQueryCountRequest> PlateQueryCountRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  PlateQueryCountRequest request;
  request.query = ReadQuery(reader);
  if (!reader.Done()) return std::nullopt;
  return request;
}

std::vector<std::uint8_t> PlateQueryPageRequest::Encode() const {
  PayloadWriter writer;
  PutQuery(writer, query);
  writer.I32(first).I32(end);
  return writer.Take();
}

std::optional<PlateQueryPageRequest> PlateQueryPageRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  PlateQueryPageRequest request;
  request.query = ReadQuery(reader);
  request.first = reader.I32();
  request.end = reader.I32();
  if (!reader.Done() || request.first < 0 || request.end <= request.first ||
      static_cast<std::int64_t>(request.end) - request.first > kMaxPlateQueryPageRecords) {
    return std::nullopt;
  }
  return request;
}

std::vector<std::uint8_t> EncodePlateQueryRecords(std::span<const PlateQueryRecord> records) {
  PayloadWriter writer;
  writer.U32(static_cast<std::uint32_t>(records.size()));
  for (const auto& record : records) writer.Put(record.result).I32(record.trigger);
  return writer.Take();
}

std::optional<std::vector<PlateQueryRecord>> DecodePlateQueryRecords(std::span<const std::uint8_t> payload,
                                                                     std::uint32_t maxCount) {
  constexpr std::size_t kRecordBytes = sizeof(CameraClientPlateResult) + 4;
  PayloadReader reader(payload);
  const std::uint32_t count = reader.U32();
  if (!reader.Ok() || count > maxCount || reader.Remaining() != static_cast<std::size_t>(count) * kRecordBytes) {
    return std::nullopt;
  }
  std::vector<PlateQueryRecord> records(count);
  for (auto& record : records) {
    record.result = reader.Get<CameraClientPlateResult>();
    record.trigger = reader.I32();
    if (record.trigger < 1 || record.trigger > 5) return std::nullopt;
  }
  if (!reader.Done()) return std::nullopt;
  return records;
}

std::vector<std::uint8_t> PlateImageRequest::Encode() const {
  return PayloadWriter().I32(recordId).I32(maxBytes).Take();
}

std::optional<PlateImageRequest> PlateImageRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  PlateImageRequest request;
  request.recordId = reader.I32();
  request.maxBytes = reader.I32();
  if (!reader.Done() || request.maxBytes <= 0) return std::nullopt;
  return request;
}

}  // namespace camera::protocol
