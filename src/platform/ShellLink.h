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

// Whether a name can be the last part of a shortcut's path ("Game.lnk") or one folder of the
// program group: the file system takes names up to a length (bytes here, characters on
// Windows), and the shortcut's file may take a longer name than the one given.
bool shortcutNameFits(const std::string& name);
bool groupFolderNameFits(const std::string& name);

} // namespace platform
