#include "sim/Operations.h"

#include <array>
#include <unordered_map>

#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;

const std::unordered_map<Operation, Handler>& HandlerTable() {
  static const auto table = [] {
    std::unordered_map<Operation, Handler> handlers;
    for (const auto family : {SessionHandlers(), DeviceHandlers(), LightHandlers(), VideoSettingHandlers(),
                              RuleHandlers(), WhiteListHandlers(), PlateHandlers(), StreamAndUpdateHandlers()}) {
      for (const HandlerEntry& entry : family) handlers.emplace(entry.operation, entry.handler);
    }
    return handlers;
  }();
  return table;
}

}  // namespace

Handler FindHandler(Operation operation) {
  const auto& table = HandlerTable();
  const auto found = table.find(operation);
  return found == table.end() ? nullptr : found->second;
}

bool IsOpenOperation(Operation operation) {
  return operation == Operation::Login || operation == Operation::PrepareWebSession;
}

bool IsSessionOperation(Operation operation) { return (static_cast<std::uint16_t>(operation) >> 8) == 0x01; }

}  // namespace camsim
