#pragma once
// The medium the run installs from. On Windows, as on the disc, it is the program's own folder.
// Where the program lives on the machine (Linux), it is started on a medium: a folder holding the
// setup script (a mounted disc, a copy of one) or a disc image mounted for the run. The run then
// behaves as if the program had been started from the medium's root: the program's own path lies
// there, and the drives show that root as a CD-ROM drive with the disc's label.
#include <string>
#include <vector>

namespace platform {

// Whether the program may be started on a medium other than its own folder.
bool canStartOnMedium();

// Whether the program's own folder holds the setup script.
bool scriptBesideProgram();

// Makes the medium at the native path the run's: a folder holding "install.ini", or a disc image,
// mounted read-only until the program ends however it ends. False, with the reason, when it is
// neither or cannot be mounted.
bool startOnMedium(const std::string& nativePath, std::string& reason);

struct MountedDisc {
    std::string folder; // the native folder of its root
    std::string label;  // the volume label, empty when it has none
};

// The mounted optical discs whose root holds "install.ini", in the order of the mount table.
std::vector<MountedDisc> mountedSetupDiscs();

// Starts the command (a program looked up on PATH, then its arguments) with the disc image mounted
// where the installation mounted it, waits for it, and unmounts the image again when this call
// mounted it; the command's exit status, or 127 when it cannot start. An image that cannot be
// mounted is reported and the command starts all the same: a disc that is not there is the
// game's to report, as on Windows.
int runWithDiscImage(const std::string& image, const std::vector<std::string>& command);

} // namespace platform
