#pragma once
// The medium the run was started on, for the drives, the program's own path and the choice of the
// Wine prefix.
#include <string>

namespace platform::posix {

struct StartedMedium {
    std::string folder; // the native folder of the medium's root
    std::string label;  // its volume label, empty when it has none
    std::string image;  // the disc image mounted for the run, empty for a folder
};

// The medium the run was started on; null when it is the program's own folder.
const StartedMedium* startedMedium();

// The native folder of the run's medium: the started one's root, else the program's own folder.
std::string mediumFolder();

} // namespace platform::posix
