#include "platform/camera/protocol/Operation.h"

#include <array>

namespace camera::protocol {
namespace {

constexpr std::array kOperations = {
#define LPR_CAMERA_OPERATION_INFO(name, code, request, reply) \
  OperationInfo{Operation::name, #name, request, reply},
    LPR_CAMERA_OPERATIONS(LPR_CAMERA_OPERATION_INFO)
#undef LPR_CAMERA_OPERATION_INFO
};

}  // namespace

std::optional<OperationInfo> DescribeOperation(std::uint16_t code) {
  for (const OperationInfo& info : kOperations) {
    if (static_cast<std::uint16_t>(info.operation) == code) return info;
  }
  return std::nullopt;
}

bool IsEventOperation(Operation operation) {
  return operation == Operation::PlateEvent || operation == Operation::VideoFrame;
}

std::string_view OperationName(Operation operation) {
  const auto info = DescribeOperation(static_cast<std::uint16_t>(operation));
  return info ? info->name : std::string_view("Unknown");
}

}  // namespace camera::protocol
