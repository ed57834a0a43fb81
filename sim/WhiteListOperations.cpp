// The whitelist: its switches, count and pages by plate filter, lookup, import, update, delete, clear.

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "platform/camera/protocol/WhiteListMessages.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

Status StatusOf(WhitelistStore::Result result) {
  switch (result) {
    case WhitelistStore::Result::Ok: return Status::Ok;
    case WhitelistStore::Result::NotFound: return Status::NotFound;
    case WhitelistStore::Result::Invalid:
    case WhitelistStore::Result::Conflict: return Status::InvalidArgument;
    case WhitelistStore::Result::Full: return Status::Failed;
  }
  return Status::Failed;
}

Reply GetFuzzy(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const CameraSettings& s = ctx.state.settings;
  return Answer(camera::protocol::EncodeInt32s({s.whiteListFuzzy, s.whiteListFuzzyLength, s.whiteListFuzzyChinese}));
}

Reply SetFuzzy(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<3>(payload);
  if (!values) return Refuse(Status::BadRequest);
  const auto [fuzzy, length, chinese] = *values;
  if (fuzzy < 0 || length < 0 || length > static_cast<int>(camera::protocol::kMaxPlateTextBytes) ||
      (chinese != 0 && chinese != 1)) {
    return Refuse(Status::InvalidArgument);
  }
  CameraSettings& s = ctx.state.settings;
  s.whiteListFuzzy = fuzzy;
  s.whiteListFuzzyLength = length;
  s.whiteListFuzzyChinese = chinese;
  return Answer();
}

Reply Count(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::WhiteListText::Decode(payload, camera::protocol::kWhiteListFilterBytes);
  if (!request) return Refuse(Status::BadRequest);
  return Answer(camera::protocol::PayloadWriter().U32(ctx.state.whitelist.Count(request->text)).Take());
}

Reply Page(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::WhiteListPageRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  const auto rows = ctx.state.whitelist.Page(request->filter, static_cast<std::size_t>(request->first),
                                             static_cast<std::size_t>(request->count));
  return Answer(camera::protocol::EncodeWhiteListRecords(rows));
}

Reply ByPlate(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::WhiteListText::Decode(payload, camera::protocol::kMaxPlateTextBytes);
  if (!request) return Refuse(Status::BadRequest);
  std::vector<CameraClientWhiteListRecord> found;
  if (const auto record = ctx.state.whitelist.FindByPlate(request->text)) found.push_back(*record);
  return Answer(camera::protocol::EncodeWhiteListRecords(found));
}

Reply Import(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto records =
      camera::protocol::DecodeWhiteListRecords(payload, 1, camera::protocol::kMaxWhiteListImportRecords);
  if (!records) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.whitelist.Import(*records)));
}

Reply Update(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto record = camera::protocol::DecodeRecord<CameraClientWhiteListRecord>(payload);
  if (!record) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.whitelist.Update(*record)));
}

Reply Delete(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto id = camera::protocol::DecodeInt32s<1>(payload);
  if (!id) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.whitelist.Delete((*id)[0])));
}

Reply Clear(HandlerContext& ctx, std::span<const std::uint8_t>) {
  ctx.state.whitelist.Clear();
  return Answer();
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::GetWhiteListEnable, GetInt<&CameraSettings::whiteListEnable>},
    {Operation::SetWhiteListEnable, SetInt<&CameraSettings::whiteListEnable, IntBetween<0, 1>>},
    {Operation::GetWhiteListFuzzy, GetFuzzy},
    {Operation::SetWhiteListFuzzy, SetFuzzy},
    {Operation::WhiteListCount, Count},
    {Operation::WhiteListPage, Page},
    {Operation::WhiteListByPlate, ByPlate},
    {Operation::WhiteListImport, Import},
    {Operation::WhiteListUpdate, Update},
    {Operation::WhiteListDelete, Delete},
    {Operation::WhiteListClear, Clear},
};

}  // namespace

std::span<const HandlerEntry> WhiteListHandlers() { return kHandlers; }

}  // namespace camsim
