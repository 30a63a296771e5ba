#pragma once
// What the platform layer makes on the installer's behalf besides the copied files: folders, the
// desktop's menu entries and menu folders, icons, a Wine prefix. The installation's journal
// listens, so that an uninstall later removes exactly these and nothing else.
#include <functional>
#include <string>

namespace platform {

enum class Made { Folder, MenuEntry, MenuFolder, Icon, WinePrefix };

// Told the native path of each thing as soon as it is made; one listener, none by default.
using MadeListener = std::function<void(Made, const std::string& nativePath)>;
void listenToMadeFiles(MadeListener listener);
void noteMade(Made kind, const std::string& nativePath);

} // namespace platform
