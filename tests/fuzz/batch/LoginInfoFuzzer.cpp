// The saved-login file from outside: any text, and any bytes behind a valid Base64 layer so that
// the decipher and the record split see them too, must give a store and nothing else.

#include <cstddef>
#include <cstdint>
#include <string>

#include "batch/LoginStore.h"
#include "common/Base64.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LoginStore store;
  ReadLoginInfoText(store, std::string(reinterpret_cast<const char*>(data), size));
  ReadLoginInfoText(store, Base64Encode(data, size));
  for (const char* ip : {"", "127.0.0.1"}) {
    if (const auto device = store.Find(ip)) (void)device->Password();
  }
  return 0;
}
