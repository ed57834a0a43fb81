#pragma once
// Result codes carried in the status field of a reply (see PROTOCOL.md).

#include <cstdint>

namespace camera::protocol {

enum class Status : std::int32_t {
  Ok = 0,
  Failed = 1,
  NotLoggedIn = 2,
  LoginFailed = 3,
  SecondLoginRequired = 4,
  BadRequest = 5,
  UnknownOperation = 6,
  InvalidArgument = 7,
  NotFound = 8,
  TooLarge = 9,
  Busy = 10,
};

}  // namespace camera::protocol
