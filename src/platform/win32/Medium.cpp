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

int runWithDiscImage(const std::string&, const std::vector<std::string>&) {
    return 127; // Windows mounts disc images itself
}

std::string winePrefixInUse() {
    return {};
}

void workInWinePrefix(const std::string&) {}

UninstallWay uninstallWay() {
    return {};
}

std::string prepareMachine() {
    return {}; // the system is the machine the product was made for
}

} // namespace platform
