#include "platform/os/LocalTime.h"

#include "platform/os/Clock.h"

namespace os {

LocalTime GetLocalTime() { return CurrentClock().LocalNow(); }

}  // namespace os
