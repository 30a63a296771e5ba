// Registry keys over the hive files of RegistryStore, or over the Wine prefix's registry when the
// installer works on one (WineRegistry.h). No handle is held: every call looks at the hive as it
// is now, and every change is one locked read-modify-write (or one change gathered for Wine).
#include "platform/Registry.h"

#include "platform/Paths.h"
#include "platform/posix/MenuFolder.h"
#include "platform/posix/RegistryStore.h"
#include "platform/posix/WinePrefix.h"
#include "platform/posix/WineRegistry.h"
#include "platform/posix/XdgFolders.h"

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

// The value as stored (nothing when missing or no string) and whether a value of the name is there.
bool readStored(RegistryHive hive, const std::string& path, const std::string& name,
                std::optional<std::string>& stored, bool& present) {
    if (onWine()) {
        // Linux menus are built from the applications folder, not from the prefix's Start menu.
        present = !isProgramsFolder(hive, path, name) && posix::wineHasValue(hive, path, name);
        stored = present ? posix::wineStringValue(hive, path, name) : std::nullopt;
        return true;
    }
    return posix::readHive(hive, [&](const RegistryHiveFile& file) {
        stored = file.stringValue(path, name);
        present = file.hasValue(path, name);
    });
}

} // namespace

bool commitRegistryWrites(std::string& reason) {
    return !onWine() || posix::commitWineRegistryChanges(reason);
}

std::string registryUnusableReason() {
    return posix::unusableFolderReason();
}

bool RegistryKey::open(RegistryHive openHive, const std::string& subKey) {
    close();
    bool exists = false;
    if (onWine()) {
        exists = RegistryHiveFile::normalisedPath(subKey).empty() ||
                 isShellFolders(openHive, subKey) || posix::wineHasKey(openHive, subKey);
    } else if (!posix::readHive(openHive, [&](const RegistryHiveFile& file) {
                   exists = RegistryHiveFile::normalisedPath(subKey).empty() ||
                            file.hasKey(subKey) || isShellFolders(openHive, subKey);
               })) {
        return false;
    }
    if (!exists)
        return false;
    hive = openHive;
    path = subKey;
    opened = true;
    return true;
}

bool RegistryKey::create(RegistryHive createHive, const std::string& subKey) {
    close();
    const bool created = onWine() ? posix::wineCreateKey(createHive, subKey)
                                  : posix::updateHive(createHive, [&](RegistryHiveFile& file) {
                                        return file.createKey(subKey);
                                    });
    if (!created)
        return false;
    hive = createHive;
    path = subKey;
    opened = true;
    return true;
}

void RegistryKey::close() {
    opened = false;
    path.clear();
}

bool RegistryKey::queryString(const std::string& name, std::string& value,
                              std::size_t bufferSize) const {
    std::optional<std::string> stored;
    bool present = false;
    if (!opened || !readStored(hive, path, name, stored, present))
        return false;
    if (!present)
        stored = standInValue(hive, path, name);
    // The stored length counts the terminator.
    if (!stored || stored->size() + 1 > bufferSize)
        return false;
    value = *stored;
    return true;
}

bool RegistryKey::setString(const std::string& name, const std::string& value) {
    if (!opened)
        return false;
    const std::string text = value.substr(0, value.find('\0'));
    if (onWine())
        return posix::wineSetString(hive, path, name, text);
    return posix::updateHive(
        hive, [&](RegistryHiveFile& file) { return file.setString(path, name, text); });
}

bool RegistryKey::deleteValue(const std::string& name) {
    if (!opened)
        return false;
    if (onWine())
        return posix::wineDeleteValue(hive, path, name);
    return posix::updateHive(hive,
                             [&](RegistryHiveFile& file) { return file.deleteValue(path, name); });
}

} // namespace platform
