// lpr-mkfirmware: writes a firmware test image of a given version.
//   lpr-mkfirmware --version A.B.C.D --out PATH [--size BYTES] [--seed N]
// The body is pseudo-random bytes of the given size (default 4096), reproducible by seed.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/camera/protocol/FirmwareImage.h"

namespace {

struct Options {
  camera::protocol::FirmwareVersion version;
  std::string out;
  std::size_t size = 4096;
  std::uint32_t seed = 1;
};

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<camera::protocol::FirmwareVersion> ParseVersion(std::string_view text) {
  camera::protocol::FirmwareVersion version;
  for (std::size_t i = 0; i < version.numbers.size(); ++i) {
    const auto dot = text.find('.');
    const bool last = i + 1 == version.numbers.size();
    if (last != (dot == std::string_view::npos)) return std::nullopt;
    const auto number = ParseNumber<std::uint32_t>(text.substr(0, dot));
    if (!number) return std::nullopt;
    version.numbers[i] = *number;
    if (!last) text.remove_prefix(dot + 1);
  }
  return version;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  bool haveVersion = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    const std::string_view value = argv[i + 1];
    if (name == "--version") {
      const auto version = ParseVersion(value);
      if (!version) return std::nullopt;
      options.version = *version;
      haveVersion = true;
    } else if (name == "--out") {
      options.out = value;
    } else if (name == "--size") {
      const auto size = ParseNumber<std::size_t>(value);
      if (!size) return std::nullopt;
      options.size = *size;
    } else if (name == "--seed") {
      const auto seed = ParseNumber<std::uint32_t>(value);
      if (!seed) return std::nullopt;
      options.seed = *seed;
    } else {
      return std::nullopt;
    }
  }
  if (argc % 2 == 0 || !haveVersion || options.out.empty()) return std::nullopt;
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: lpr-mkfirmware --version A.B.C.D --out PATH [--size BYTES] [--seed N]\n");
    return 2;
  }
  std::vector<std::uint8_t> body(options->size);
  std::mt19937 random(options->seed);
  for (auto& byte : body) byte = static_cast<std::uint8_t>(random());
  const auto image = camera::protocol::BuildFirmwareImage(options->version, body);
  if (!image) {
    std::fprintf(stderr, "lpr-mkfirmware: version numbers must be at most %u and the size at most %zu bytes\n",
                 camera::protocol::kMaxFirmwareVersionNumber, camera::protocol::kMaxFirmwareBodyBytes);
    return 2;
  }
  std::FILE* file = std::fopen(options->out.c_str(), "wb");
  if (file == nullptr) {
    std::perror(options->out.c_str());
    return 1;
  }
  const bool written = std::fwrite(image->data(), 1, image->size(), file) == image->size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(options->out.c_str());
    return 1;
  }
  return 0;
}
