#pragma once
// A program group as the desktop's menus show it: the folder of desktop entries under the
// applications folder becomes a menu folder of its own, named after the group, through a
// directory entry and a menu file merged into the applications menu, as freedesktop menus define
// them. The entries themselves stay where they are.
#include <string>

namespace platform::posix {

// Makes every missing level of a native folder for the desktop's menus, each level it makes told
// to the installation's journal (MadeFiles.h).
void makeFoldersNoted(const std::string& folder);

// The applications folder of the desktop's menu ($XDG_DATA_HOME/applications); empty when there is
// no home folder.
std::string applicationsFolder();

// Writes (or renews) the menu folder for the folder that holds the entry, listing every entry
// in that folder; nothing for an entry outside a subfolder of the applications folder. False
// when the menu files could not be written.
bool showGroupAsMenuFolder(const std::string& nativeEntry);

} // namespace platform::posix
