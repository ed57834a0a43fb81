#pragma once

#include <string>
#include <vector>

namespace os {

// Starts the program `name` that lies beside the running one (posix_spawn), with the given
// arguments; the child is reaped when it ends. False when it could not be started.
bool StartProgramBesideThis(const std::string& name, const std::vector<std::string>& arguments = {});

}  // namespace os
