// Registry keys over the hive files of RegistryStore. No handle is held: every call looks at the
// hive as it is now, and every change is one locked read-modify-write.
#include "platform/Registry.h"

#include "platform/Paths.h"
#include "platform/posix/RegistryStore.h"
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
std::string applicationsFolder() {
    const std::string data = posix::xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? std::string() : data + "/applications";
}

// A value that the desktop answers when the hive does not hold it.
std::optional<std::string> standInValue(RegistryHive hive, const std::string& path,
                                        const std::string& name) {
    if (!isShellFolders(hive, path) || !RegistryHiveFile::sameName(name, "Programs"))
        return std::nullopt;
    const std::string folder = applicationsFolder();
    if (folder.empty())
        return std::nullopt;
    const std::string drivePath = toDrivePath(folder);
    return drivePath.empty() ? std::nullopt : std::optional<std::string>(drivePath);
}

} // namespace

std::string registryUnusableReason() {
    return posix::unusableFolderReason();
}

bool RegistryKey::open(RegistryHive openHive, const std::string& subKey) {
    close();
    bool exists = false;
    if (!posix::readHive(openHive,
                         [&](const RegistryHiveFile& file) {
                             exists = RegistryHiveFile::normalisedPath(subKey).empty() ||
                                      file.hasKey(subKey) || isShellFolders(openHive, subKey);
                         }) ||
        !exists)
        return false;
    hive = openHive;
    path = subKey;
    opened = true;
    return true;
}

bool RegistryKey::create(RegistryHive createHive, const std::string& subKey) {
    close();
    if (!posix::updateHive(createHive,
                           [&](RegistryHiveFile& file) { return file.createKey(subKey); }))
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
    if (!opened || !posix::readHive(hive, [&](const RegistryHiveFile& file) {
            stored = file.stringValue(path, name);
            present = file.hasValue(path, name);
        }))
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
    return posix::updateHive(
        hive, [&](RegistryHiveFile& file) { return file.setString(path, name, text); });
}

bool RegistryKey::deleteValue(const std::string& name) {
    if (!opened)
        return false;
    return posix::updateHive(hive,
                             [&](RegistryHiveFile& file) { return file.deleteValue(path, name); });
}

} // namespace platform
