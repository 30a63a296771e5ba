#include "controls/FolderItem.h"

#include <cctype>

static int compareWithoutCase(const std::string& a, const std::string& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compareFolderItems(const FolderItem& a, const FolderItem& b) {
    if (a.depth == b.depth || a.depth == -1 || b.depth == -1)
        return compareWithoutCase(a.name, b.name);
    return a.depth < b.depth ? -1 : 1;
}
