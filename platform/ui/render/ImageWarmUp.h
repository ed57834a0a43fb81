#pragma once
// Pictures decoded while a program starts (internal to the framework). On a thread of its own, the
// resources named are read and decoded; the image cache then takes each picture over instead of
// decoding it itself, but only when the bytes it read are the very bytes that were decoded, so a
// resource that changed since is decoded afresh. The window thread meanwhile starts the host and
// builds the window.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/render/Image.h"
#include "platform/ui/render/ImageCache.h"

namespace ui {

// Starts the warm-up, once per process (later calls do nothing). `names` runs on the warm-up's
// thread and gives the resource names to decode; `reader` reads them there.
void StartImageWarmUp(std::function<std::vector<std::string>()> names, ResourceReader reader);

// The picture the warm-up decoded for `name`, when it decoded exactly `bytes`; each picture is
// handed out once. Waits for a warm-up under way to end; nullptr when there is no such picture.
std::shared_ptr<Image> TakeWarmImage(const std::string& name, std::string_view bytes);

}  // namespace ui
