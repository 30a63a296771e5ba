#pragma once
// Whether this machine can take the installation at all, before anything is asked or copied.
#include <string>

namespace platform {

// Why the machine cannot take the medium's product: on Linux, the Wine prefix a Windows product
// needs that cannot serve, with its reason. Empty when it can.
std::string machineProblem();

} // namespace platform
