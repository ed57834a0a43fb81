// Live plate subscription and the query of stored plate records with their pictures.

#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/QueryTime.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

struct ParsedQuery {
  camera::protocol::QueryTime start;
  camera::protocol::QueryTime end;
};

std::optional<ParsedQuery> ParseTimes(const camera::protocol::PlateQuery& query) {
  const auto start = camera::protocol::ParseQueryTime(query.start);
  const auto end = camera::protocol::ParseQueryTime(query.end);
  if (!start || !end) return std::nullopt;
  return ParsedQuery{*start, *end};
}

Reply Subscribe(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<1>(payload);
  if (!values) return Refuse(Status::BadRequest);
  if ((*values)[0] != 0 && (*values)[0] != 1) return Refuse(Status::InvalidArgument);
  ctx.session.plates = (*values)[0] == 1;
  return Answer();
}

Reply Unsubscribe(HandlerContext& ctx, std::span<const std::uint8_t>) {
  ctx.session.plates.reset();
  return Answer();
}

Reply QueryCount(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::PlateQueryCountRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  const auto times = ParseTimes(request->query);
  if (!times) return Refuse(Status::InvalidArgument);
  const auto count = ctx.state.plates.Count(times->start, times->end, request->query.plate);
  return Answer(camera::protocol::EncodeInt32s({static_cast<std::int32_t>(count)}));
}

Reply QueryPage(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::PlateQueryPageRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  const auto times = ParseTimes(request->query);
  if (!times) return Refuse(Status::InvalidArgument);
  const auto records = ctx.state.plates.Page(times->start, times->end, request->query.plate,
                                             static_cast<std::size_t>(request->first),
                                             static_cast<std::size_t>(request->end));
  return Answer(camera::protocol::EncodePlateQueryRecords(records));
}

Reply LoadImage(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::PlateImageRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  const auto jpeg = ctx.state.plates.Image(request->recordId);
  if (!jpeg) return Refuse(Status::NotFound);
  if (jpeg->size() > static_cast<std::size_t>(request->maxBytes)) return Refuse(Status::TooLarge);
  return Answer(*jpeg);
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::PlateSubscribe, Subscribe},
    {Operation::PlateUnsubscribe, Unsubscribe},
    {Operation::PlateQueryCount, QueryCount},
    {Operation::PlateQueryPage, QueryPage},
    {Operation::LoadPlateImage, LoadImage},
};

}  // namespace

std::span<const HandlerEntry> PlateHandlers() { return kHandlers; }

}  // namespace camsim
