#pragma once
#include <string>

// One entry of the folder list: a level of the shown path or one of its subfolders.
struct FolderItem {
    std::string name; // a level keeps its trailing backslash, a subfolder has none
    bool isPathLevel = false;
    int depth = 0; // -1 only in a search probe: then only the names are compared
};

// The list's ordering rule: names without regard to case at equal depth (or in a probe),
// otherwise the shallower entry first. Negative, zero or positive, as strcmp.
int compareFolderItems(const FolderItem& a, const FolderItem& b);
