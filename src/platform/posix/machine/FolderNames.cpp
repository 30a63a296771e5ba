#include "platform/posix/machine/FolderNames.h"

#include "platform/posix/machine/NameCase.h"
#include "platform/posix/NativePath.h"

#include <algorithm>
#include <dirent.h>
#include <list>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace platform::posix {
namespace {

// Smaller folders are read whole at each look: cheap, and no notices to follow.
constexpr std::size_t kKeptFolderMinimum = 128;
constexpr std::size_t kMostKeptFolders = 8;
constexpr uint32_t kNoticedChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                     IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// The folder's names by their Windows name key (NameCase.h), each list in the order the folder gave them.
using NameTable = std::unordered_map<std::string, std::vector<std::string>>;

void addName(NameTable& names, const std::string& name) {
    auto& spellings = names[windowsNameKey(name)];
    if (std::find(spellings.begin(), spellings.end(), name) == spellings.end())
        spellings.push_back(name);
}

void removeName(NameTable& names, const std::string& name) {
    const auto found = names.find(windowsNameKey(name));
    if (found == names.end())
        return;
    std::erase(found->second, name);
    if (found->second.empty())
        names.erase(found);
}

bool readFolder(const std::string& folder, NameTable& names, std::size_t& count) {
    DIR* directory = opendir(folder.empty() ? "/" : folder.c_str());
    if (!directory)
        return false;
    count = 0;
    while (const dirent* entry = readdir(directory)) {
        addName(names, entry->d_name);
        ++count;
    }
    closedir(directory);
    return true;
}

struct KeptFolder {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    int watch = -1;
    NameTable names;
};

// The folders kept, most recently used first, and the notices that keep them current. Programs
// are started with posix_spawn, so no child ever looks here with its parent's notices.
class KeptFolders {
public:
    std::string find(const std::string& folder, const std::string& name) {
        struct stat info;
        if (stat(folder.empty() ? "/" : folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return {};
        if (!ready())
            return readAndFind(folder, name, info);
        applyNotices();
        for (auto kept = folders.begin(); kept != folders.end(); ++kept) {
            if (kept->path != folder)
                continue;
            if (kept->device == info.st_dev && kept->inode == info.st_ino) {
                folders.splice(folders.begin(), folders, kept);
                return first(kept->names, name);
            }
            forget(kept);
            break;
        }
        return readAndFind(folder, name, info);
    }

private:
    bool ready() {
        if (notices < 0)
            notices = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        return notices >= 0;
    }

    static std::string first(const NameTable& names, const std::string& name) {
        const auto found = names.find(windowsNameKey(name));
        return found == names.end() ? std::string() : found->second.front();
    }

    // Reads the folder; keeps it when it is large and its changes can be followed. The watch
    // comes first, so that a change while the folder is read is noticed too.
    std::string readAndFind(const std::string& folder, const std::string& name,
                            const struct stat& info) {
        KeptFolder kept{folder, info.st_dev, info.st_ino, watchFolder(folder), {}};
        std::size_t count = 0;
        const bool read = readFolder(folder, kept.names, count);
        if (!read || kept.watch < 0 || count < kKeptFolderMinimum) {
            if (kept.watch >= 0)
                inotify_rm_watch(notices, kept.watch);
            return read ? first(kept.names, name) : std::string();
        }
        const std::string found = first(kept.names, name);
        folders.push_front(std::move(kept));
        if (folders.size() > kMostKeptFolders)
            forget(std::prev(folders.end()));
        applyNotices();
        const bool stillKept = !folders.empty() && folders.front().path == folder;
        return stillKept ? first(folders.front().names, name) : found;
    }

    // A new watch of the folder, or -1 (also when a kept folder already has it: the same folder
    // reached by another path).
    int watchFolder(const std::string& folder) {
        if (notices < 0)
            return -1;
        const int watch =
            inotify_add_watch(notices, folder.empty() ? "/" : folder.c_str(), kNoticedChanges);
        const bool shared =
            std::any_of(folders.begin(), folders.end(),
                        [&](const KeptFolder& kept) { return kept.watch == watch; });
        return shared ? -1 : watch;
    }

    void forget(std::list<KeptFolder>::iterator kept) {
        if (kept->watch >= 0)
            inotify_rm_watch(notices, kept->watch);
        folders.erase(kept);
    }

    void applyNotices() {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t length = read(notices, buffer, sizeof buffer);
            if (length <= 0)
                return;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                apply(*event);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    void apply(const inotify_event& event) {
        if (event.mask & IN_Q_OVERFLOW) {
            while (!folders.empty())
                forget(folders.begin());
            return;
        }
        const auto kept =
            std::find_if(folders.begin(), folders.end(),
                         [&](const KeptFolder& folder) { return folder.watch == event.wd; });
        if (kept == folders.end())
            return;
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
            forget(kept);
            return;
        }
        if (event.len == 0)
            return;
        const std::string name = event.name;
        if (event.mask & (IN_CREATE | IN_MOVED_TO))
            addName(kept->names, name);
        else if (event.mask & (IN_DELETE | IN_MOVED_FROM))
            removeName(kept->names, name);
    }

    std::list<KeptFolder> folders;
    int notices = -1;
};

} // namespace

std::string entryIgnoringCase(const std::string& folder, const std::string& name) {
    static KeptFolders kept; // the program has one thread
    return kept.find(folder, name);
}

} // namespace platform::posix
