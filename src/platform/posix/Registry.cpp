// Registry keys over the hive files of RegistryStore, or over the Wine prefix's registry when the
// installer works on one (WineRegistry.h). Every call looks at the hive as it is now, and every
// change is one locked read-modify-write (or one change gathered for Wine).
#include "platform/RegistryBackend.h"

#include "platform/Paths.h"
#include "platform/posix/machine/MenuFolder.h"
#include "platform/posix/machine/RegistryStore.h"
#include "platform/posix/wine/WinePrefix.h"
#include "platform/posix/wine/WineRegistry.h"
#include "platform/posix/machine/XdgFolders.h"

#include <optional>

namespace platform {
namespace {

using posix::RegistryHiveFile;

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool isShellFolders(RegistryHive hive, const std::string& path) {
    return hive == RegistryHive::CurrentUser &&
           RegistryHiveFile::sameName(RegistryHiveFile::normalisedPath(path), kShellFoldersKey);
}

// The desktop's menu is built from the freedesktop applications folder; it stands in for the
// Start menu's programs folder.
using posix::applicationsFolder;

bool isProgramsFolder(RegistryHive hive, const std::string& path, const std::string& name) {
    return isShellFolders(hive, path) && RegistryHiveFile::sameName(name, "Programs");
}

bool onWine() {
    return !posix::winePrefix().empty();
}

// A value that the desktop answers when the hive does not hold it.
std::optional<std::string> standInValue(RegistryHive hive, const std::string& path,
                                        const std::string& name) {
    if (!isProgramsFolder(hive, path, name))
        return std::nullopt;
    const std::string folder = applicationsFolder();
    if (folder.empty())
        return std::nullopt;
    const std::string drivePath = toDrivePath(folder);
    return drivePath.empty() ? std::nullopt : std::optional<std::string>(drivePath);
}

} // namespace

bool commitRegistryWrites(std::string& reason) {
    return !onWine() || posix::commitWineRegistryChanges(reason);
}

std::string registryUnusableReason() {
    return posix::unusableFolderReason();
}

namespace registry {

bool keyExists(RegistryHive hive, const std::string& path) {
    const bool always = RegistryHiveFile::normalisedPath(path).empty() || isShellFolders(hive, path);
    if (onWine())
        return always || posix::wineHasKey(hive, path);
    bool exists = always;
    return posix::readHive(hive,
                           [&](const RegistryHiveFile& file) { exists = exists || file.hasKey(path); }) &&
           exists;
}

bool createKey(RegistryHive hive, const std::string& path) {
    return onWine() ? posix::wineCreateKey(hive, path)
                    : posix::updateHive(hive, [&](RegistryHiveFile& file) {
                          return file.createKey(path);
                      });
}

std::optional<std::string> stringValue(RegistryHive hive, const std::string& path,
                                       const std::string& name) {
    std::optional<std::string> stored;
    bool present = false;
    if (onWine()) {
        // Linux menus are built from the applications folder, not from the prefix's Start menu.
        present = !isProgramsFolder(hive, path, name) && posix::wineHasValue(hive, path, name);
        if (present)
            stored = posix::wineStringValue(hive, path, name);
    } else if (!posix::readHive(hive, [&](const RegistryHiveFile& file) {
                   stored = file.stringValue(path, name);
                   present = file.hasValue(path, name);
               })) {
        return std::nullopt;
    }
    return present ? stored : standInValue(hive, path, name);
}

bool setStringValue(RegistryHive hive, const std::string& path, const std::string& name,
                    const std::string& text) {
    if (onWine())
        return posix::wineSetString(hive, path, name, text);
    return posix::updateHive(
        hive, [&](RegistryHiveFile& file) { return file.setString(path, name, text); });
}

bool deleteValue(RegistryHive hive, const std::string& path, const std::string& name) {
    if (onWine())
        return posix::wineDeleteValue(hive, path, name);
    return posix::updateHive(hive,
                             [&](RegistryHiveFile& file) { return file.deleteValue(path, name); });
}

bool deleteEmptyKey(RegistryHive hive, const std::string& path) {
    if (RegistryHiveFile::normalisedPath(path).empty())
        return false;
    if (onWine())
        return posix::wineDeleteEmptyKey(hive, path);
    return posix::updateHive(hive,
                             [&](RegistryHiveFile& file) { return file.deleteEmptyKey(path); });
}

} // namespace registry
} // namespace platform
