#include "e2e/TreeSnapshot.h"

namespace fs = std::filesystem;

TreeSnapshot::TreeSnapshot(const fs::path& root) {
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const fs::file_status status = it->symlink_status();
        Entry entry;
        entry.folder = fs::is_directory(status);
        if (fs::is_regular_file(status))
            entry.size = it->file_size();
        entry.time = fs::is_symlink(status) ? fs::file_time_type() : it->last_write_time();
        entries[it->path()] = entry;
    }
}

std::vector<fs::path> TreeSnapshot::changedSince(const TreeSnapshot& before) const {
    std::vector<fs::path> changed;
    for (const auto& [path, entry] : entries) {
        const auto old = before.entries.find(path);
        // A folder changes its time whenever an entry comes or goes: only a new one counts.
        const bool same = old != before.entries.end() &&
                          (entry.folder ? old->second.folder
                                        : old->second.size == entry.size && old->second.time == entry.time);
        if (!same)
            changed.push_back(path);
    }
    return changed;
}

bool liesInside(const fs::path& path, const fs::path& folder) {
    const std::string inner = path.lexically_normal().string();
    std::string outer = folder.lexically_normal().string();
    while (outer.size() > 1 && outer.back() == '/')
        outer.pop_back();
    return inner == outer || inner.compare(0, outer.size() + 1, outer + "/") == 0;
}
