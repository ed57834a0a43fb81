#pragma once
// Loopback addresses of the test process's own. Test processes run side by side, from this build
// and from others on the same machine; each that takes its cameras' addresses from here gets a
// block 127.A.B.1-254 that no other such process holds while it runs.

#include <string>

namespace lpr::test {

// "127.A.B." for this process, the same on every call; empty when every block is taken.
const std::string& ProcessLoopbackPrefix();

}  // namespace lpr::test
