#include "platform/profile/ProfileCopies.h"

#include <algorithm>
#include <exception>
#include <list>

namespace platform::profile {
namespace {

constexpr std::size_t kMaxFiles = 4;
constexpr std::size_t kMaxBytes = 96u << 20; // of the files' own bytes

// Every write sets the change time to the system's clock, whose tick is coarser than a
// nanosecond: a write in the same tick as the parse could leave every stamp as it was. A copy
// is kept only when the file last changed well before the parse began (by two seconds on file
// systems that keep whole seconds, else by a margin above the tick), or when nothing can change
// it, as on a read-only medium.
bool settledBefore(const FileStamp& stamp, Nanoseconds parseBegan, ProfileSource& source) {
    const bool wholeSeconds =
        stamp.modified % 1'000'000'000 == 0 && stamp.changed % 1'000'000'000 == 0;
    const Nanoseconds margin = wholeSeconds ? 2'000'000'000 : 50'000'000;
    return stamp.changed + margin < parseBegan || source.unchangeable();
}

struct Copy {
    std::string name;
    FileStamp stamp;
    int codePage; // the one a code-page file was decoded with; 0 for Unicode files
    std::size_t bytes;
    std::shared_ptr<const ProfileIndex> index;
};

// The copies of the program's one thread.
class CopyList {
public:
    std::shared_ptr<const ProfileIndex> find(const std::string& name, const FileStamp& stamp,
                                             int codePage) {
        for (auto copy = copies.begin(); copy != copies.end(); ++copy) {
            if (copy->name != name)
                continue;
            if (!(copy->stamp == stamp) || (copy->codePage && copy->codePage != codePage)) {
                copies.erase(copy);
                return nullptr;
            }
            copies.splice(copies.begin(), copies, copy); // most recently used first
            return copy->index;
        }
        return nullptr;
    }

    void keep(Copy copy) {
        std::erase_if(copies, [&](const Copy& old) { return old.name == copy.name; });
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

    void forget(const std::string& name) {
        std::erase_if(copies, [&](const Copy& old) { return old.name == name; });
    }

    void clear() { copies.clear(); }

private:
    std::list<Copy> copies;
};

CopyList& copyList() {
    static CopyList list;
    return list;
}

} // namespace

std::shared_ptr<const ProfileIndex> parsedProfile(const std::string& name, ProfileSource& source,
                                                  int codePage) {
    const Nanoseconds parseBegan = source.clock();
    FileStamp before;
    if (name.empty() || !source.stamp(before)) {
        copyList().forget(name);
        return nullptr;
    }
    if (auto index = copyList().find(name, before, codePage))
        return index;
    std::string bytes;
    FileStamp after;
    if (source.read(bytes, after) != FileReadResult::Read)
        return nullptr;
    const std::size_t size = bytes.size();
    auto index = std::make_shared<const ProfileIndex>(profileTextOf(std::move(bytes), codePage));
    // A file that changed while it was read is used this once and not kept.
    if (before == after && settledBefore(after, parseBegan, source))
        copyList().keep({name, after, index->encoding() == ProfileEncoding::CodePage ? codePage : 0,
                         size, index});
    return index;
}

void forgetParsedProfiles() {
    copyList().clear();
}

std::vector<ProfileSectionLines>
linesOfParsedProfile(const std::function<std::shared_ptr<const ProfileIndex>()>& parse) {
    try {
        const auto index = parse();
        return index ? index->lines() : std::vector<ProfileSectionLines>();
    } catch (const std::exception&) {
        return {};
    }
}

bool writeThenForgetCopies(const std::function<bool()>& write) {
    bool written = false;
    try {
        written = write();
    } catch (const std::exception&) {
        written = false;
    }
    forgetParsedProfiles();
    return written;
}

} // namespace platform::profile
