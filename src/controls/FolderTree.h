#pragma once
// What the folder list shows: the levels of a path and the subfolders of its deepest existing
// level. Kept apart from the window so that it can be used and checked without one.
#include "controls/FolderItem.h"

#include <string>
#include <vector>

class FolderTree {
public:
    // Replaces the entries by the path's existing levels and their subfolders (sorted by the
    // ordering rule). False when no level exists or the deepest one cannot be searched.
    bool fillFromPath(const std::string& path);
    // Appends one level entry per existing level of the path and cuts the path to that part.
    int addPathLevels(std::string& path);

    // The shown folder, always ending in a backslash (a lone one for an empty list).
    std::string currentPath() const;
    // The path of entry `selection` with a trailing backslash; empty for no selection (-1).
    std::string selectedPath(int selection) const;
    // The deepest level entry that matches the probe by the ordering rule, or -1.
    int findLevel(const std::string& name) const;

    void clear() { entries.clear(); }
    const std::vector<FolderItem>& items() const { return entries; }
    // The path last given to fillFromPath, unchanged.
    const std::string& storedPath() const { return stored; }

private:
    void addSubfolders(const std::string& folder, int depth);

    std::vector<FolderItem> entries;
    std::string stored;
};
