#include "platform/posix/ProfileFileCache.h"

#include "platform/Locale.h"
#include "platform/posix/BoundedRead.h"

#include <algorithm>
#include <ctime>
#include <list>
#include <mutex>
#include <sys/statvfs.h>

namespace platform::posix {
namespace {

constexpr std::size_t kMaxFiles = 4;
constexpr std::size_t kMaxBytes = 96u << 20; // of the files' own bytes

using Nanoseconds = long long;

Nanoseconds nanosecondsOf(const timespec& time) {
    return static_cast<Nanoseconds>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// What tells one state of a file from another: any write changes the change time, and a file
// replaced by a rename is another inode.
struct FileStamp {
    dev_t device;
    ino_t inode;
    off_t size;
    Nanoseconds modified;
    Nanoseconds changed;

    explicit FileStamp(const struct stat& info)
        : device(info.st_dev), inode(info.st_ino), size(info.st_size),
          modified(nanosecondsOf(info.st_mtim)), changed(nanosecondsOf(info.st_ctim)) {}
    bool operator==(const FileStamp&) const = default;
};

// Every write sets the change time to the kernel's clock, whose tick is coarser than a
// nanosecond: a write in the same tick as the parse could leave every stamp as it was. A copy
// is kept only when the file last changed well before the parse began (by two seconds on file
// systems that keep whole seconds, else by a margin above the tick), or when nothing can change
// it, as on a read-only medium.
bool settledBefore(const FileStamp& stamp, Nanoseconds parseBegan, const std::string& nativePath) {
    const bool wholeSeconds =
        stamp.modified % 1'000'000'000 == 0 && stamp.changed % 1'000'000'000 == 0;
    const Nanoseconds margin = wholeSeconds ? 2'000'000'000 : 50'000'000;
    if (stamp.changed + margin < parseBegan)
        return true;
    struct statvfs volume;
    return ::statvfs(nativePath.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY);
}

Nanoseconds now() {
    timespec time;
    clock_gettime(CLOCK_REALTIME, &time);
    return nanosecondsOf(time);
}

struct Copy {
    std::string nativePath;
    FileStamp stamp;
    int codePage; // the one a code-page file was decoded with; 0 for Unicode files
    std::size_t bytes;
    std::shared_ptr<const ProfileIndex> index;
};

class CopyList {
public:
    std::shared_ptr<const ProfileIndex> find(const std::string& nativePath,
                                             const FileStamp& stamp) {
        const std::lock_guard guard(lock);
        for (auto copy = copies.begin(); copy != copies.end(); ++copy) {
            if (copy->nativePath != nativePath)
                continue;
            if (!(copy->stamp == stamp) || (copy->codePage && copy->codePage != ansiCodePage())) {
                copies.erase(copy);
                return nullptr;
            }
            copies.splice(copies.begin(), copies, copy); // most recently used first
            return copy->index;
        }
        return nullptr;
    }

    void keep(Copy copy) {
        const std::lock_guard guard(lock);
        std::erase_if(copies, [&](const Copy& old) { return old.nativePath == copy.nativePath; });
        // The most recently used that fit beside the new copy stay.
        std::size_t files = 1, bytes = copy.bytes;
        auto old = copies.begin();
        for (; old != copies.end(); ++old, ++files) {
            if (files == kMaxFiles || bytes + old->bytes > kMaxBytes)
                break;
            bytes += old->bytes;
        }
        copies.erase(old, copies.end());
        copies.push_front(std::move(copy));
    }

    void forget(const std::string& nativePath) {
        const std::lock_guard guard(lock);
        std::erase_if(copies, [&](const Copy& old) { return old.nativePath == nativePath; });
    }

    void clear() {
        const std::lock_guard guard(lock);
        copies.clear();
    }

private:
    std::mutex lock;
    std::list<Copy> copies;
};

CopyList& copyList() {
    static CopyList list;
    return list;
}

} // namespace

std::shared_ptr<const ProfileIndex> profileIndexOf(const std::string& nativePath) {
    const Nanoseconds parseBegan = now();
    struct stat before;
    if (nativePath.empty() || ::stat(nativePath.c_str(), &before) != 0) {
        copyList().forget(nativePath);
        return nullptr;
    }
    if (auto index = copyList().find(nativePath, FileStamp(before)))
        return index;
    std::string bytes;
    struct stat after;
    if (readRegularNativeFile(nativePath, kProfileSizeLimit, bytes, after) != FileReadResult::Read)
        return nullptr;
    const std::size_t size = bytes.size();
    const ProfileText text = profileTextOf(std::move(bytes));
    auto index = std::make_shared<const ProfileIndex>(text);
    // A file that changed while it was read is used this once and not kept.
    if (FileStamp(before) == FileStamp(after) &&
        settledBefore(FileStamp(after), parseBegan, nativePath))
        copyList().keep({nativePath, FileStamp(after),
                         text.encoding == ProfileEncoding::CodePage ? text.codePage : 0, size,
                         index});
    return index;
}

void forgetProfileCopies() {
    copyList().clear();
}

} // namespace platform::posix
