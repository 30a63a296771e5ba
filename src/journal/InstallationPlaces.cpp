#include "journal/InstallationPlaces.h"

#include "journal/JournalRecords.h"
#include "platform/AsciiCase.h"
#include "platform/NativeFiles.h"
#include "platform/Paths.h"
#include "system/Registration.h"

namespace {

bool insideAny(const std::string& path, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders)
        if (platform::isNativePathInside(path, folder) && platform::holdsNoLinkBelow(path, folder))
            return true;
    return false;
}

bool isProductRole(const std::string& role) {
    return role == journal::role::kCopied || role == journal::role::kSound ||
           role == journal::role::kScript || role == journal::role::kPicture;
}

bool isMenuRole(const std::string& role) {
    return role == journal::role::kMenuEntry || role == journal::role::kMenuFolder ||
           role == journal::role::kIcon;
}

// A registry path as the journal writes it: levels joined by one backslash.
bool isAtOrBelow(const std::string& key, const std::string& above) {
    return platform::equalsIgnoringCase(key, above) ||
           (key.size() > above.size() + 1 && key[above.size()] == '\\' &&
            platform::equalsIgnoringCase(key.substr(0, above.size()), above));
}

} // namespace

bool InstallationPlaces::holdsFile(const std::string& role, const std::string& nativePath) const {
    if (!platform::isPlainNativePath(nativePath))
        return false;
    if (isProductRole(role))
        return insideAny(nativePath, targets);
    if (isMenuRole(role))
        return insideAny(nativePath, menuPlaces);
    return false;
}

bool InstallationPlaces::holdsFolder(const std::string& nativePath) const {
    if (!platform::isPlainNativePath(nativePath))
        return false;
    if (insideAny(nativePath, targets) || insideAny(nativePath, menuPlaces))
        return true;
    for (const std::string& shared : sharedFolders)
        if (nativePath == shared)
            return true;
    for (const std::string& target : targets)
        if (platform::isNativePathInside(target, nativePath))
            return true;
    for (const std::string& place : menuPlaces)
        if (platform::isNativePathInside(place, nativePath))
            return true;
    return false;
}

bool InstallationPlaces::holdsValue(platform::RegistryHive hive, const std::string& key) const {
    for (const Key& own : keys)
        if (own.hive == hive && platform::equalsIgnoringCase(own.path, key))
            return true;
    return false;
}

bool InstallationPlaces::holdsKey(platform::RegistryHive hive, const std::string& key) const {
    for (const Key& own : keys)
        if (own.hive == hive && !key.empty() && isAtOrBelow(own.path, key))
            return true;
    return false;
}

InstallationPlaces placesOf(const journal::Journal& journal) {
    InstallationPlaces places;
    for (const journal::Line& line : journal.lines) {
        if (line.kind == journal::kind::kFile &&
            line.field(journal::filefield::kRole) == journal::role::kShared)
            places.sharedFolders.push_back(
                platform::nativeFolderOf(line.field(journal::filefield::kPath)));
        if (line.kind != journal::kind::kRun)
            continue;
        const std::string& target = line.field(journal::runfield::kTargetNative);
        // A target that is a drive's root or the home folder itself still holds only what the
        // journal lists; what the run did not make there stays.
        if (platform::isPlainNativePath(target) || target.size() <= 3)
            places.targets.push_back(target);
        if (!line.field(journal::runfield::kRecordKey).empty())
            places.keys.push_back({platform::RegistryHive::CurrentUser,
                                   line.field(journal::runfield::kRecordKey)});
        if (!line.field(journal::runfield::kUninstallKey).empty())
            places.keys.push_back({platform::RegistryHive::LocalMachine,
                                   line.field(journal::runfield::kUninstallKey)});
    }
    places.menuPlaces = platform::desktopMenuPlaces();
    if (std::string programs; readProgramsFolder(programs))
        if (const std::string native = platform::toNativePath(programs); !native.empty())
            places.menuPlaces.push_back(native);
    return places;
}
