// On Windows the program runs from the disc, as it was made to: the medium is its own folder.
#include "platform/Machine.h"
#include "platform/Medium.h"

namespace platform {

bool canStartOnMedium() {
    return false;
}

bool scriptBesideProgram() {
    return true;
}

bool startOnMedium(const std::string&, std::string& reason) {
    reason = "the Windows program installs from the medium it is on";
    return false;
}

std::vector<MountedDisc> mountedSetupDiscs() {
    return {};
}

std::string machineProblem() {
    return {}; // the system is the machine the product was made for
}

} // namespace platform
