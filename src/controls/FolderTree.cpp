#include "controls/FolderTree.h"

#include "platform/Files.h"

#include <algorithm>

static bool endsWithBackslash(const std::string& text) {
    return !text.empty() && text.back() == '\\';
}

bool FolderTree::fillFromPath(const std::string& path) {
    stored = path;
    entries.clear();
    std::string existing = path;
    if (!endsWithBackslash(existing))
        existing += '\\';
    const int levels = addPathLevels(existing);
    if (levels == 0)
        return false;
    std::vector<platform::FoundFile> found;
    if (!platform::findFiles(existing + "*", found))
        return false;
    const std::size_t firstSubfolder = entries.size();
    for (const platform::FoundFile& file : found) {
        const bool isFolder = (file.attributes & platform::kAttributeDirectory) != 0;
        const bool isHidden = (file.attributes & platform::kAttributeHidden) != 0;
        if (!isFolder || isHidden || file.name.empty() || file.name[0] == '.')
            continue;
        entries.push_back({file.name, false, levels});
    }
    std::stable_sort(
        entries.begin() + firstSubfolder, entries.end(),
        [](const FolderItem& a, const FolderItem& b) { return compareFolderItems(a, b) < 0; });
    return true;
}

// A level counts when a search in it finds anything: every folder holds "." and "..", so only
// a missing folder or an unreadable or empty drive root is refused.
static bool levelExists(const std::string& candidate) {
    std::vector<platform::FoundFile> found;
    return platform::findFiles(candidate + "*", found) && !found.empty();
}

int FolderTree::addPathLevels(std::string& path) {
    std::string accumulated;
    std::string rest = path;
    int count = 0;
    for (auto slash = rest.find('\\'); slash != std::string::npos; slash = rest.find('\\')) {
        const std::string part = rest.substr(0, slash + 1);
        if (!levelExists(accumulated + part))
            break;
        accumulated += part;
        rest.erase(0, slash + 1);
        entries.push_back({part, true, count});
        ++count;
    }
    path = accumulated;
    return count;
}

std::string FolderTree::currentPath() const {
    std::string path;
    for (const FolderItem& item : entries) {
        if (!item.isPathLevel)
            break;
        path += item.name;
    }
    if (!endsWithBackslash(path))
        path += '\\';
    return path;
}

std::string FolderTree::selectedPath(int selection) const {
    if (selection < 0 || selection >= static_cast<int>(entries.size()))
        return {};
    std::string path;
    for (int i = 0; i <= selection; ++i) {
        if (!entries[i].isPathLevel) {
            path += entries[selection].name;
            break;
        }
        path += entries[i].name;
    }
    if (!endsWithBackslash(path))
        path += '\\';
    return path;
}

int FolderTree::findLevel(const std::string& name) const {
    FolderItem probe{name, false, -1};
    if (!endsWithBackslash(probe.name))
        probe.name += '\\';
    for (int i = static_cast<int>(entries.size()) - 1; i >= 0; --i)
        if (entries[i].isPathLevel && compareFolderItems(probe, entries[i]) == 0)
            return i;
    return -1;
}
