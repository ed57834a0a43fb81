#pragma once
// Pictures decoded while a program starts (internal to the framework). The caller reads the bytes;
// a thread of their own decodes them, and the image cache then takes each picture over instead of
// decoding it itself, but only when the bytes it reads are the very bytes that were decoded, so a
// resource that changed since is decoded afresh. The window thread meanwhile starts the host and
// builds the window.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/render/Image.h"

namespace ui {

struct NamedBytes {
  std::string name;
  std::string bytes;
};

// Starts decoding the pictures, once per process (later calls do nothing).
void StartImageWarmUp(std::vector<NamedBytes> pictures);

// The picture the warm-up decoded for `name`, when it decoded exactly `bytes`; each picture is
// handed out once. Waits for a warm-up under way to end; nullptr when there is no such picture.
std::shared_ptr<Image> TakeWarmImage(const std::string& name, std::string_view bytes);

}  // namespace ui
