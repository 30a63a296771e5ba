// Profile files on POSIX: the shared reading and key editor over bounded reads of regular files,
// written back atomically.
#include "platform/ProfileFile.h"

#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/BoundedRead.h"
#include "platform/profile/ProfileEdit.h"
#include "platform/profile/ProfileReading.h"

#include <sys/stat.h>

namespace platform {
namespace {

bool writeProfileFile(const std::string& native, const std::string& section, const std::string& key,
                      const std::string& value) {
    std::string bytes, edited;
    struct stat info;
    switch (posix::readRegularNativeFile(native, profile::kProfileSizeLimit, bytes, info)) {
    case FileReadResult::Missing:
        return profile::editedProfileBytes({}, section, key, value, edited) &&
               posix::writeFileAtomically(native, edited, 0644);
    case FileReadResult::Read:
        break;
    default: // never rewrite what could not be read: its content would be lost
        return false;
    }
    if (!(info.st_mode & S_IWUSR))
        return false; // read-only, as for everyone on the system this program was made for
    return profile::editedProfileBytes(profile::profileTextOf(std::move(bytes), ansiCodePage()),
                                       section, key, value, edited) &&
           posix::writeFileAtomically(native, edited, info.st_mode & 07777);
}

} // namespace

std::shared_ptr<const ProfileReading> readProfile(const std::string& path) {
    return profile::guardedReading([&]() -> std::shared_ptr<const ProfileReading> {
        const std::string native = toNativePath(path);
        std::string bytes;
        struct stat info;
        if (native.empty() || posix::readRegularNativeFile(native, profile::kProfileSizeLimit,
                                                           bytes, info) != FileReadResult::Read)
            return nullptr;
        return std::make_shared<const profile::IndexedReading>(
            profile::profileTextOf(std::move(bytes), ansiCodePage()));
    });
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return profile::guardedWrite([&] {
        const std::string native = toNativePath(path);
        return !native.empty() && writeProfileFile(native, section, key, value);
    });
}

} // namespace platform
