#pragma once
// Whether this machine can take the installation at all, before anything is asked or copied.
#include <string>

namespace platform {

// Readies the machine for the medium's product: on Linux, the Wine prefix a Windows product needs
// (made when missing), with the medium the run was started on as its CD-ROM drive. Empty, or why
// the machine cannot take the installation (a prefix that cannot serve, with its reason).
std::string prepareMachine();

} // namespace platform
