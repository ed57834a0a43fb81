#include "tests/support/LoopbackBlock.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace lpr::test {
namespace {

// Second octets 1-42: other tests keep their fixed addresses in 127.0 and 127.43.
constexpr int kFirstNetwork = 1;
constexpr int kNetworks = 42;
constexpr int kBlocks = kNetworks * 256;
constexpr std::uint16_t kClaimPort = 64999;  // unprivileged: tests need not run as root

std::string PrefixOf(int block) {
  return "127." + std::to_string(kFirstNetwork + block / 256) + "." + std::to_string(block % 256) + ".";
}

// The claim is a datagram socket bound to the block's address 0, which no camera uses: the kernel
// refuses the same address to anyone else and frees it when the process ends, however it ends.
bool Claim(int block) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(kClaimPort);
  if (::inet_pton(AF_INET, (PrefixOf(block) + "0").c_str(), &address.sin_addr) == 1 &&
      ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return true;  // held open for the rest of the process
  }
  ::close(fd);
  return false;
}

std::string ClaimFreeBlock() {
  const int first = static_cast<int>(static_cast<unsigned>(::getpid()) % kBlocks);
  for (int step = 0; step < kBlocks; ++step) {
    const int block = (first + step) % kBlocks;
    if (Claim(block)) return PrefixOf(block);
  }
  std::fprintf(stderr, "no free block of loopback addresses\n");
  return {};
}

}  // namespace

const std::string& ProcessLoopbackPrefix() {
  static const std::string prefix = ClaimFreeBlock();
  return prefix;
}

}  // namespace lpr::test
