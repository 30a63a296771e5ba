#pragma once
// Shortcuts in the desktop's program menu.
#include <string>

namespace platform {

// Saves a shortcut at linkPath that starts target (drive paths) in workFolder with the
// arguments (a command-line tail; blanks separate words, double quotes group them). Empty
// arguments, work folder or description are left out. True when the link file was saved.
bool createShellLink(const std::string& target, const std::string& linkPath,
                     const std::string& arguments, const std::string& workFolder,
                     const std::string& description);

} // namespace platform
