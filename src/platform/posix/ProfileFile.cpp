// Profile files on POSIX: the shared reading and key editor over bounded reads of regular files,
// written back atomically.
#include "platform/ProfileFile.h"

#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/BoundedRead.h"
#include "platform/posix/FileStamp.h"
#include "platform/profile/ProfileCopies.h"
#include "platform/profile/ProfileEdit.h"

#include <ctime>
#include <exception>
#include <sys/statvfs.h>

namespace platform {
namespace {

using profile::FileStamp;
using profile::Nanoseconds;

using posix::fileStampOf;
using posix::nanosecondsOf;

class NativeFile : public profile::ProfileSource {
public:
    explicit NativeFile(const std::string& nativePath) : path(nativePath) {}

    bool stamp(FileStamp& now) override {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0)
            return false;
        now = fileStampOf(info);
        return true;
    }

    FileReadResult read(std::string& bytes, FileStamp& after) override {
        struct stat info;
        const FileReadResult result =
            posix::readRegularNativeFile(path, profile::kProfileSizeLimit, bytes, info);
        if (result == FileReadResult::Read)
            after = fileStampOf(info);
        return result;
    }

    bool unchangeable() override {
        struct statvfs volume;
        return ::statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY);
    }

    Nanoseconds clock() override {
        timespec time;
        clock_gettime(CLOCK_REALTIME, &time);
        return nanosecondsOf(time);
    }

private:
    const std::string& path;
};

std::shared_ptr<const profile::ProfileIndex> parsedProfileOf(const std::string& path) {
    const std::string native = toNativePath(path);
    NativeFile file(native);
    return profile::parsedProfile(native, file, ansiCodePage());
}

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

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    try {
        const auto index = parsedProfileOf(path);
        return index ? index->value(section, key) : std::string();
    } catch (const std::exception&) { // out of memory for a huge file: it reads as unreadable
        return {};
    }
}

std::vector<ProfileSectionLines> listProfileLines(const std::string& path) {
    return profile::linesOfParsedProfile([&] { return parsedProfileOf(path); });
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return profile::writeThenForgetCopies([&] {
        const std::string native = toNativePath(path);
        return !native.empty() && writeProfileFile(native, section, key, value);
    });
}

} // namespace platform
