#pragma once
// Shortcuts read back the way the system starts them: on Windows the shell's link file through
// the shell link object; on POSIX the desktop entry that stands in for it.
#include <filesystem>
#include <string>

struct ShortcutFields {
    std::filesystem::path target;
    std::string arguments;
    std::filesystem::path workFolder;
    std::string description;
};

// The file that a shortcut saved under this link name in the folder is (on POSIX a name ending in
// ".lnk" is saved with ".desktop" instead).
std::filesystem::path shortcutFile(const std::filesystem::path& folder, const std::string& link);

// Reads a shortcut's fields; false when the file is none.
bool readShortcut(const std::filesystem::path& file, ShortcutFields& fields);
